#pragma once
#include "Uefi.h"

VORQ_EXTERN_C EFI_RUNTIME_SERVICES *gRT;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitRuntimeServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
