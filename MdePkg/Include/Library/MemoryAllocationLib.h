// The module's only allocator: buffers from the SMM pool through gSmst, freed to the pool
// their address belongs to.
#pragma once
#include "Uefi.h"

VORQ_EXTERN_C VOID *SmmPoolAllocate(UINTN Size);
VORQ_EXTERN_C VOID *SmmPoolReallocate(UINTN OldSize, UINTN NewSize, VOID *OldBuffer);
VORQ_EXTERN_C VOID SmmPoolFree(VOID *Buffer);
VORQ_EXTERN_C BOOLEAN IsBufferInSmram(const VOID *Buffer);

VORQ_EXTERN_C VOID *SmmPoolAllocateTyped(EFI_MEMORY_TYPE PoolType, UINTN Size);
VORQ_EXTERN_C VOID *SmmPoolAllocateZero(EFI_MEMORY_TYPE PoolType, UINTN Size);
VORQ_EXTERN_C VOID *SmmPoolReallocateTyped(EFI_MEMORY_TYPE PoolType, UINTN OldSize, UINTN NewSize, VOID *OldBuffer);

// The SMRAM map, read once by the constructor and kept for the life of the module.
VORQ_EXTERN_C EFI_SMRAM_DESCRIPTOR *mSmramRanges;
VORQ_EXTERN_C UINTN mSmramRangeEntries;

VORQ_EXTERN_C EFI_STATUS EFIAPI InitSmramRanges(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
VORQ_EXTERN_C EFI_STATUS EFIAPI ReleaseSmramRanges(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable);
