// Reallocation: a new zero-filled buffer that takes the smaller of the two sizes from the old
// one, which is then freed. When the new buffer cannot be had, the old one stays the caller's,
// untouched. The sizes are the caller's word: OldSize must not exceed the old buffer.
#include "Library/BaseMemoryLib.h"
#include "Library/MemoryAllocationLib.h"

VORQ_EXTERN_C VOID *SmmPoolReallocateTyped(EFI_MEMORY_TYPE PoolType, UINTN OldSize, UINTN NewSize, VOID *OldBuffer) {
  VOID *NewBuffer = SmmPoolAllocateZero(PoolType, NewSize);
  if (NewBuffer != NULL && OldBuffer != NULL) {
    MemCopy(NewBuffer, OldBuffer, OldSize < NewSize ? OldSize : NewSize);
    SmmPoolFree(OldBuffer);
  }
  return NewBuffer;
}

VORQ_EXTERN_C VOID *SmmPoolReallocate(UINTN OldSize, UINTN NewSize, VOID *OldBuffer) {
  return SmmPoolReallocateTyped(EfiRuntimeServicesData, OldSize, NewSize, OldBuffer);
}
