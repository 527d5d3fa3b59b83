// The five boot services the module calls: pool, protocol lookups and the configuration table.
#include <Guid/TscFrequencyTable.h>

#include "platform/Platform.h"
#include "platform/PoolServices.h"
#include "platform/Services.h"
#include "support/Guids.h"
#include "trap/Trap.h"

namespace vorq::emu {
namespace {
// EfiReservedMemoryType and the values from EfiMaxMemoryType up are not pool types.
bool IsBootPoolType(uint32_t type) { return type >= EfiLoaderCode && type <= 14; }
}  // namespace

EFI_STATUS EFIAPI ServeAllocatePool(EFI_MEMORY_TYPE type, UINTN size, VOID** buffer) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  if (buffer == nullptr || !IsBootPoolType(type)) return LogService("AllocatePool", EFI_INVALID_PARAMETER);
  const uint64_t nth = ++p.boot_allocations_in_phase;
  const bool fail = p.phase == Phase::Load && p.Options().faults.fail_boot_nth_during_load == nth;
  return LogService("AllocatePool", AllocateFrom(p, p.boot_pool, type, size, buffer, fail));
}

EFI_STATUS EFIAPI ServeFreePool(VOID* buffer) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  return LogService("FreePool", FreeTo(p, p.boot_pool, p.smm_pool, "FreePool", buffer));
}

EFI_STATUS EFIAPI ServeHandleProtocol(EFI_HANDLE handle, const EFI_GUID* protocol, VOID** interface) {
  HostServiceScope scope;
  return LogService("HandleProtocol", CurrentPlatform()->uefi_protocols.HandleProtocol(handle, protocol, interface));
}

EFI_STATUS EFIAPI ServeLocateProtocol(const EFI_GUID* protocol, VOID* registration, VOID** interface) {
  HostServiceScope scope;
  // No RegisterProtocolNotify is served, so no registration key can be valid.
  if (registration != nullptr) return LogService("LocateProtocol", EFI_NOT_FOUND);
  return LogService("LocateProtocol", CurrentPlatform()->uefi_protocols.Locate(protocol, interface));
}

// UEFI semantics: an existing GUID is replaced, or deleted with a NULL table; a new GUID is
// added; deleting an absent GUID is EFI_NOT_FOUND.
EFI_STATUS EFIAPI ServeInstallConfigurationTable(const EFI_GUID* guid, VOID* table) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  if (guid == nullptr) return LogService("InstallConfigurationTable", EFI_INVALID_PARAMETER);
  EFI_SYSTEM_TABLE* st = p.SystemTable();
  EFI_CONFIGURATION_TABLE* entries = p.config_entries;
  for (UINTN i = 0; i < st->NumberOfTableEntries; ++i) {
    if (!SameGuid(entries[i].VendorGuid, *guid)) continue;
    if (table != nullptr) {
      entries[i].VendorTable = table;
    } else {
      for (UINTN j = i + 1; j < st->NumberOfTableEntries; ++j) entries[j - 1] = entries[j];
      --st->NumberOfTableEntries;
    }
    p.UpdateSystemTableCrc();
    return LogService("InstallConfigurationTable", EFI_SUCCESS);
  }
  if (table == nullptr) return LogService("InstallConfigurationTable", EFI_NOT_FOUND);
  if (st->NumberOfTableEntries >= Platform::kConfigCapacity)
    return LogService("InstallConfigurationTable", EFI_OUT_OF_RESOURCES);
  entries[st->NumberOfTableEntries++] = {*guid, table};
  p.UpdateSystemTableCrc();
  return LogService("InstallConfigurationTable", EFI_SUCCESS);
}

}  // namespace vorq::emu
