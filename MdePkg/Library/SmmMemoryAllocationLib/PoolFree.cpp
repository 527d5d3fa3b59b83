// Freeing: a buffer inside an SMRAM range goes back to the SMM pool; any other buffer can only
// have come from the boot-services pool and goes back there. NULL is no buffer at all and is
// passed to neither.
//
// Without a map (the SMRAM ranges could not be read, or none were reported) no address can be
// placed, but every buffer the module allocates comes from the SMM pool, so every free goes
// there: handing SMM blocks to the boot-services pool would lose them and hand that pool
// memory it never owned.
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
  if (mSmramRangeEntries == 0 || IsBufferInSmram(Buffer)) {
    Status = gSmst->SmmFreePool(Buffer);
  } else {
    Status = gBS->FreePool(Buffer);
  }
  ASSERT_EFI_ERROR(976, Status);
}
