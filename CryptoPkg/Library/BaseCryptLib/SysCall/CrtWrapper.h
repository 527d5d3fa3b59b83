// The C library services that the crypto library needs inside SMM, routed onto the module's
// own pool and primitives. In the image they carry their C names; the host build renames them
// (VorqCrt_malloc ...) so that the tests can call them without replacing the C library of the
// test process itself.
#pragma once
#include <stdarg.h>

#include "Base.h"

#if defined(VORQ_HOST_BUILD)
#define VORQ_CRT_NAME(Name) VorqCrt_##Name
#else
#define VORQ_CRT_NAME(Name) Name
#endif

typedef int (*CRT_QSORT_COMPARE)(const void *First, const void *Second);
typedef struct FreestandingFile CRT_FILE;
typedef long CRT_TIME;  // the crypto library's time value, 32 bits on the image's target

VORQ_EXTERN_C void *VORQ_CRT_NAME(malloc)(UINTN Size);
VORQ_EXTERN_C void *VORQ_CRT_NAME(realloc)(void *Block, UINTN Size);
VORQ_EXTERN_C void VORQ_CRT_NAME(free)(void *Block);
VORQ_EXTERN_C void VORQ_CRT_NAME(qsort)(void *base, UINTN count, UINTN width, CRT_QSORT_COMPARE compare);
VORQ_EXTERN_C CRT_TIME VORQ_CRT_NAME(time)(CRT_TIME *timer);
VORQ_EXTERN_C int VORQ_CRT_NAME(vfprintf)(CRT_FILE *stream, const char *format, va_list arguments);
VORQ_EXTERN_C void VORQ_CRT_NAME(abort)(void);

// The sort itself: ElementCount elements of ElementSize bytes from BufferToSort, with Buffer
// as the scratch element of a swap.
VORQ_EXTERN_C VOID QuickSortRange(VOID *BufferToSort, UINTN ElementCount, UINTN ElementSize,
                                  CRT_QSORT_COMPARE CompareFunction, VOID *Buffer);
