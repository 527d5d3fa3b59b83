#include "Library/SmmServicesTableLib.h"

#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/SmmServicesTableLib/SmmServicesTableLib");

VORQ_EXTERN_C EFI_SMM_SYSTEM_TABLE2 *gSmst = NULL;
VORQ_EXTERN_C EFI_SMM_BASE2_PROTOCOL *mInternalSmmBase2 = NULL;

static constexpr EFI_GUID kSmmBase2ProtocolGuid = EFI_SMM_BASE2_PROTOCOL_GUID;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitSmmServicesTable(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  EFI_STATUS Status = SystemTable->BootServices->LocateProtocol(&kSmmBase2ProtocolGuid, NULL,
                                                                reinterpret_cast<VOID **>(&mInternalSmmBase2));
  ASSERT_EFI_ERROR(51, Status);
  ASSERT(52, mInternalSmmBase2 != ((void *) 0));

  // Without the protocol there is no way to ask: the module is then taken to run outside SMM.
  if (EFI_ERROR(Status) || mInternalSmmBase2 == NULL || !IsInSmm()) {
    return EFI_SUCCESS;
  }

  mInternalSmmBase2->GetSmstLocation(mInternalSmmBase2, &gSmst);
  ASSERT(68, gSmst != ((void *) 0));
  return EFI_SUCCESS;
}

VORQ_EXTERN_C BOOLEAN IsInSmm(VOID) {
  // FALSE unless the protocol answers: a failed call must not leave an undefined answer.
  BOOLEAN InSmram = FALSE;
  mInternalSmmBase2->InSmm(mInternalSmmBase2, &InSmram);
  return InSmram;
}
