// Freeing: a buffer inside an SMRAM range goes back to the SMM pool; any other buffer can only
// have come from the boot-services pool and goes back there. NULL is no buffer at all and is
// passed to neither.
#include "Library/DebugLib.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/SmmServicesTableLib.h"
#include "Library/UefiBootServicesTableLib.h"

ASSERT_SOURCE("MdePkg/Library/SmmMemoryAllocationLib/MemoryAllocationLib");

VORQ_EXTERN_C VOID SmmPoolFree(VOID *Buffer) {
  if (Buffer == NULL) {
    return;
  }
  EFI_STATUS Status;
  if (IsBufferInSmram(Buffer)) {
    Status = gSmst->SmmFreePool(Buffer);
  } else {
    Status = gBS->FreePool(Buffer);
  }
  ASSERT_EFI_ERROR(976, Status);
}
