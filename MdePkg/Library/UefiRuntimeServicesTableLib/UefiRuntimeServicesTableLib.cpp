#include "Library/UefiRuntimeServicesTableLib.h"

#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/UefiRuntimeServicesTableLib/UefiRuntimeServicesTableLib");

VORQ_EXTERN_C EFI_RUNTIME_SERVICES *gRT = NULL;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitRuntimeServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  gRT = SystemTable->RuntimeServices;
  ASSERT(47, gRT != ((void *) 0));
  return EFI_SUCCESS;
}
