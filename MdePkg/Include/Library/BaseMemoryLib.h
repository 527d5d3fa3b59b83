// Guarded memory operations. Each handles its trivial case, tests its arguments through the
// assertion contract, then hands the work to one processor string operation.
#pragma once
#include "Base.h"

VORQ_EXTERN_C VOID *MemSet(VOID *Buffer, UINTN Length, UINT8 Value);
VORQ_EXTERN_C VOID *MemCopy(VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length);
VORQ_EXTERN_C VOID *MemZero(VOID *Buffer, UINTN Length);
VORQ_EXTERN_C INTN MemCompare(const VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length);
VORQ_EXTERN_C VOID *MemScan8(const VOID *Buffer, UINTN Length, UINT8 Value);

// The C library's memset entry point in the image: a plain byte loop for the fills that the
// compiler generates. It tests nothing and never calls MemSet.
VORQ_EXTERN_C VOID *RuntimeByteFill(VOID *Buffer, INT32 Value, UINT32 Count);
