#include "Library/UefiBootServicesTableLib.h"

#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/UefiBootServicesTableLib/UefiBootServicesTableLib");

VORQ_EXTERN_C EFI_HANDLE gImageHandle = NULL;
VORQ_EXTERN_C EFI_SYSTEM_TABLE *gST = NULL;
VORQ_EXTERN_C EFI_BOOT_SERVICES *gBS = NULL;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitBootServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  gImageHandle = ImageHandle;
  ASSERT(51, gImageHandle != ((void *) 0));

  gST = SystemTable;
  ASSERT(57, gST != ((void *) 0));

  gBS = SystemTable->BootServices;
  ASSERT(63, gBS != ((void *) 0));

  return EFI_SUCCESS;
}
