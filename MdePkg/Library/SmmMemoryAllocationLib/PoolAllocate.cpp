// Allocation from the SMM pool. Every public allocation is EfiRuntimeServicesData.
#include "Library/BaseMemoryLib.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/SmmServicesTableLib.h"

// A failed call yields NULL whatever the service stored.
VORQ_EXTERN_C VOID *SmmPoolAllocateTyped(EFI_MEMORY_TYPE PoolType, UINTN Size) {
  VOID *Buffer = NULL;
  const EFI_STATUS Status = gSmst->SmmAllocatePool(PoolType, Size, &Buffer);
  if (EFI_ERROR(Status)) {
    return NULL;
  }
  return Buffer;
}

VORQ_EXTERN_C VOID *SmmPoolAllocate(UINTN Size) { return SmmPoolAllocateTyped(EfiRuntimeServicesData, Size); }

VORQ_EXTERN_C VOID *SmmPoolAllocateZero(EFI_MEMORY_TYPE PoolType, UINTN Size) {
  VOID *Buffer = SmmPoolAllocateTyped(PoolType, Size);
  if (Buffer != NULL) {
    MemZero(Buffer, Size);
  }
  return Buffer;
}
