// The image's frame: the entry the SMM core calls, the generated constructor and destructor
// lists, and the module entry run under a jump context.
#pragma once
#include "Library/BaseLib.h"
#include "Uefi.h"

VORQ_EXTERN_C EFI_STATUS EFIAPI ImageEntryPoint(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
VORQ_EXTERN_C EFI_STATUS EFIAPI ImageUnloadHandler(EFI_HANDLE ImageHandle);

VORQ_EXTERN_C VOID RunLibraryConstructors(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
VORQ_EXTERN_C VOID RunLibraryDestructors(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
VORQ_EXTERN_C EFI_STATUS RunModuleEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
VORQ_EXTERN_C [[noreturn]] VOID ExitModuleEntry(EFI_STATUS Status);
VORQ_EXTERN_C EFI_STATUS RunModuleUnload(EFI_HANDLE ImageHandle);

// The status recorded for the module entry, and the context saved just before it runs.
VORQ_EXTERN_C EFI_STATUS mModuleEntryStatus;
VORQ_EXTERN_C JUMP_CONTEXT mEntryJumpContext;

// The module's own entry, run after every constructor.
VORQ_EXTERN_C EFI_STATUS EFIAPI ImageAuthenticatorEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);

// The sixth constructor: no work.
VORQ_EXTERN_C EFI_STATUS EFIAPI EmptyConstructor(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
