// The served members, as the image calls them (through the stubs of ServiceStubs.S).
#pragma once
#include <Uefi.h>
#include <Protocol/SmmAccess2.h>
#include <Protocol/SmmBase2.h>

#include <vector>

namespace vorq::emu {

struct SmramRange;

EFI_STATUS EFIAPI ServeAllocatePool(EFI_MEMORY_TYPE type, UINTN size, VOID** buffer);
EFI_STATUS EFIAPI ServeFreePool(VOID* buffer);
EFI_STATUS EFIAPI ServeHandleProtocol(EFI_HANDLE handle, const EFI_GUID* protocol, VOID** interface);
EFI_STATUS EFIAPI ServeInstallConfigurationTable(const EFI_GUID* guid, VOID* table);
EFI_STATUS EFIAPI ServeLocateProtocol(const EFI_GUID* protocol, VOID* registration, VOID** interface);
EFI_STATUS EFIAPI ServeSmmAllocatePool(EFI_MEMORY_TYPE type, UINTN size, VOID** buffer);
EFI_STATUS EFIAPI ServeSmmFreePool(VOID* buffer);
EFI_STATUS EFIAPI ServeSmmInstallProtocolInterface(EFI_HANDLE* handle, const EFI_GUID* protocol,
                                                   EFI_INTERFACE_TYPE type, VOID* interface);
EFI_STATUS EFIAPI ServeSmmLocateProtocol(const EFI_GUID* protocol, VOID* registration, VOID** interface);
EFI_STATUS EFIAPI ServeInSmm(const EFI_SMM_BASE2_PROTOCOL* self, BOOLEAN* in_smram);
EFI_STATUS EFIAPI ServeGetSmstLocation(const EFI_SMM_BASE2_PROTOCOL* self, EFI_SMM_SYSTEM_TABLE2** smst);
EFI_STATUS EFIAPI ServeGetCapabilities(const EFI_SMM_ACCESS2_PROTOCOL* self, UINTN* size, EFI_SMRAM_DESCRIPTOR* map);
BOOLEAN EFIAPI ServeCheckBuffer(const VOID* buffer, UINTN length);
void EFIAPI ServeUnexpectedCall();

// The checker's default policy, apart from its record keeping: TRUE refuses.
bool PolicyRefuses(uint64_t buffer, uint64_t length, const std::vector<SmramRange>& smram);

// Every served call goes into the platform's service log.
EFI_STATUS LogService(const char* name, EFI_STATUS status);

}  // namespace vorq::emu
