// The SMM system table, found through the SMM Base2 protocol; NULL outside SMM.
#pragma once
#include "Protocol/SmmBase2.h"
#include "Uefi.h"

VORQ_EXTERN_C EFI_SMM_SYSTEM_TABLE2 *gSmst;
VORQ_EXTERN_C EFI_SMM_BASE2_PROTOCOL *mInternalSmmBase2;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitSmmServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
// TRUE when the processor executes in SMM; asks the SMM Base2 protocol every time.
VORQ_EXTERN_C BOOLEAN IsInSmm(VOID);
