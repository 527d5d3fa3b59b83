// The image handle, the UEFI system table and its boot services, kept by the second
// constructor and read-only afterwards.
#pragma once
#include "Uefi.h"

VORQ_EXTERN_C EFI_HANDLE gImageHandle;
VORQ_EXTERN_C EFI_SYSTEM_TABLE *gST;
VORQ_EXTERN_C EFI_BOOT_SERVICES *gBS;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitBootServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
