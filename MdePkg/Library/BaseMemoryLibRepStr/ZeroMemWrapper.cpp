// MemZero: clears Length bytes at Buffer and returns Buffer. A zero length writes nothing,
// but unlike the other operations it still runs the tests, which a NULL buffer passes.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "MemLibInternals.h"

ASSERT_SOURCE("MdePkg/Library/BaseMemoryLibRepStr/ZeroMemWrapper");

VORQ_EXTERN_C VOID *MemZero(VOID *Buffer, UINTN Length) {
  ASSERT(49, !(Buffer == ((void *) 0) && Length > 0));
  // The bound wraps to 0 for a NULL buffer, so only a zero length passes there.
  ASSERT(50, Length <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer + 1));
  return InternalMemZeroMem(Buffer, Length);
}
