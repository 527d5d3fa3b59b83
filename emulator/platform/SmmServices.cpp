// The four SMST members the module calls: its pool and its SMM protocol database.
#include "platform/Platform.h"
#include "platform/PoolServices.h"
#include "platform/ServiceStubs.h"
#include "platform/Services.h"
#include "trap/Trap.h"

namespace vorq::emu {
namespace {

// PI: the SMM pool serves only the runtime types.
bool IsSmmPoolType(uint32_t type) { return type == EfiRuntimeServicesCode || type == EfiRuntimeServicesData; }

bool ShouldFail(const Platform& p, uint64_t nth) {
  const AllocationFaults& f = p.Options().faults;
  if (p.phase == Phase::Load) return f.fail_smm_nth_during_load == nth;
  if (f.fail_smm_nth_after_load == nth) return true;
  return f.fail_smm_all_after_load_set && nth > f.fail_smm_all_after_load;
}

}  // namespace

EFI_STATUS EFIAPI ServeSmmAllocatePool(EFI_MEMORY_TYPE type, UINTN size, VOID** buffer) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  if (buffer == nullptr || !IsSmmPoolType(type)) return LogService("SmmAllocatePool", EFI_INVALID_PARAMETER);
  const uint64_t nth = ++p.smm_allocations_in_phase;
  return LogService("SmmAllocatePool", AllocateFrom(p, p.smm_pool, type, size, buffer, ShouldFail(p, nth)));
}

EFI_STATUS EFIAPI ServeSmmFreePool(VOID* buffer) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  return LogService("SmmFreePool", FreeTo(p, p.smm_pool, p.boot_pool, "SmmFreePool", buffer));
}

EFI_STATUS EFIAPI ServeSmmInstallProtocolInterface(EFI_HANDLE* handle, const EFI_GUID* protocol,
                                                   EFI_INTERFACE_TYPE type, VOID* interface) {
  HostServiceScope scope;
  return LogService("SmmInstallProtocolInterface",
                    CurrentPlatform()->smm_protocols.Install(handle, protocol, type, interface, emu_service_caller));
}

EFI_STATUS EFIAPI ServeSmmLocateProtocol(const EFI_GUID* protocol, VOID* registration, VOID** interface) {
  HostServiceScope scope;
  if (registration != nullptr) return LogService("SmmLocateProtocol", EFI_NOT_FOUND);
  return LogService("SmmLocateProtocol", CurrentPlatform()->smm_protocols.Locate(protocol, interface));
}

}  // namespace vorq::emu
