#include "Library/VorqSmmExternalPointerCheckerLib.h"

#include "Library/DebugLib.h"
#include "Library/SmmServicesTableLib.h"

ASSERT_SOURCE("Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib");

VORQ_EXTERN_C SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL *mExternalPointerChecker = NULL;

static constexpr EFI_GUID kSmmExternalPointerCheckerProtocolGuid = SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL_GUID;

// Looked up here only: a checker installed later is not seen.
VORQ_EXTERN_C EFI_STATUS EFIAPI InitExternalPointerChecker(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;
  const EFI_STATUS Status = gSmst->SmmLocateProtocol(&kSmmExternalPointerCheckerProtocolGuid, NULL,
                                                     reinterpret_cast<VOID **>(&mExternalPointerChecker));
  ASSERT_EFI_ERROR(76, Status);
  // A failed lookup leaves no checker, whatever the service stored.
  if (EFI_ERROR(Status)) {
    mExternalPointerChecker = NULL;
  }
  return Status;
}

// Without a checker, or with a record that holds no function, nobody can vouch for a caller's
// buffer, so every buffer is refused: the service fails closed rather than calling through
// a missing pointer.
VORQ_EXTERN_C BOOLEAN IsUnsafeExternalBuffer(const VOID *Buffer, UINTN Length) {
  if (mExternalPointerChecker == NULL || mExternalPointerChecker->CheckBuffer == NULL) {
    return TRUE;
  }
  return mExternalPointerChecker->CheckBuffer(Buffer, Length);
}
