// The client of the external pointer checker, a protocol of another SMM driver that says
// whether a caller's buffer may be used at all.
#pragma once
#include "Protocol/SmmExternalPointerChecker.h"
#include "Uefi.h"

// The located checker; NULL until the constructor finds it, never changed afterwards.
VORQ_EXTERN_C SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL *mExternalPointerChecker;

// Locates the checker once, through gSmst.
VORQ_EXTERN_C EFI_STATUS EFIAPI InitExternalPointerChecker(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

// The checker's answer for (Buffer, Length), unchanged: TRUE (1) means the buffer must not be
// used. Without a checker every buffer is refused.
VORQ_EXTERN_C BOOLEAN IsUnsafeExternalBuffer(const VOID *Buffer, UINTN Length);
