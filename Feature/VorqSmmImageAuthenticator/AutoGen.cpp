// The module's generated lists: its eight library constructors in their fixed order, its one
// destructor, and the run of the module entry under a jump context.
#include "Library/DebugLib.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/ModuleEntryPoint.h"
#include "Library/SmmServicesTableLib.h"
#include "Library/TscTimerLib.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Library/UefiRuntimeServicesTableLib.h"
#include "Library/VorqSmmExternalPointerCheckerLib.h"

ASSERT_SOURCE("AutoGen");

VORQ_EXTERN_C EFI_STATUS mModuleEntryStatus = EFI_LOAD_ERROR;
VORQ_EXTERN_C alignas(8) JUMP_CONTEXT mEntryJumpContext = {};

// Each status is asserted and nothing more: a failing constructor stops neither the list nor
// the module entry.
VORQ_EXTERN_C VOID RunLibraryConstructors(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  EFI_STATUS Status;

  Status = InitDebugLibrary();
  ASSERT_EFI_ERROR(286, Status);

  Status = InitBootServicesTable(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(289, Status);

  Status = InitSmmServicesTable(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(292, Status);

  Status = InitSmramRanges(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(295, Status);

  Status = InitRuntimeServicesTable(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(298, Status);

  Status = EmptyConstructor(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(301, Status);

  Status = InitExternalPointerChecker(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(304, Status);

  Status = InitTscFrequency(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(307, Status);
}

VORQ_EXTERN_C VOID RunLibraryDestructors(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  const EFI_STATUS Status = ReleaseSmramRanges(ImageHandle, SystemTable);
  ASSERT_EFI_ERROR(330, Status);
}

// A success always replaces the recorded status, an error only an error; the first call
// therefore always records its status.
VORQ_EXTERN_C VOID ExitModuleEntry(EFI_STATUS Status) {
  if (!EFI_ERROR(Status) || EFI_ERROR(mModuleEntryStatus)) {
    mModuleEntryStatus = Status;
  }
  LongJump(&mEntryJumpContext, (UINTN)-1);
  ASSERT(350, ((BOOLEAN)(0==1)));
}

VORQ_EXTERN_C EFI_STATUS RunModuleEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  mModuleEntryStatus = EFI_LOAD_ERROR;
  if (SetJump(&mEntryJumpContext) == 0) {
    ExitModuleEntry(ImageAuthenticatorEntry(ImageHandle, SystemTable));
    ASSERT(365, ((BOOLEAN)(0==1)));
  }
  return mModuleEntryStatus;
}

// The module has no unload routine of its own.
VORQ_EXTERN_C EFI_STATUS RunModuleUnload(EFI_HANDLE ImageHandle) {
  (VOID) ImageHandle;
  return EFI_SUCCESS;
}

VORQ_EXTERN_C EFI_STATUS EFIAPI EmptyConstructor(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;
  return EFI_SUCCESS;
}
