// MemScan8: the address of the first of Length bytes at Buffer that equals Value, or NULL.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "MemLibInternals.h"

ASSERT_SOURCE("MdePkg/Library/BaseMemoryLibRepStr/ScanMem8Wrapper");

VORQ_EXTERN_C VOID *MemScan8(const VOID *Buffer, UINTN Length, UINT8 Value) {
  if (Length == 0) {
    return NULL;
  }
  ASSERT(58, Buffer != ((void *) 0));
  ASSERT(59, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer));
  return (VOID *)InternalMemScanMem8(Buffer, Length, Value);
}
