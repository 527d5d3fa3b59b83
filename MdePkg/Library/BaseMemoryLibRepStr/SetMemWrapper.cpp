// MemSet: fills Length bytes at Buffer with Value and returns Buffer.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "MemLibInternals.h"

ASSERT_SOURCE("MdePkg/Library/BaseMemoryLibRepStr/SetMemWrapper");

VORQ_EXTERN_C VOID *MemSet(VOID *Buffer, UINTN Length, UINT8 Value) {
  if (Length == 0) {
    return Buffer;
  }
  // The last byte must not pass the top of the address space.
  ASSERT(54, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer));
  return InternalMemSetMem(Buffer, Length, Value);
}
