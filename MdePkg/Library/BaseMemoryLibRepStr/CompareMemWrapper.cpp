// MemCompare: 0 when the two ranges hold the same Length bytes, else the destination byte
// minus the source byte at the first difference, both unsigned.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "MemLibInternals.h"

ASSERT_SOURCE("MdePkg/Library/BaseMemoryLibRepStr/CompareMemWrapper");

VORQ_EXTERN_C INTN MemCompare(const VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length) {
  if (Length == 0 || DestinationBuffer == SourceBuffer) {
    return 0;
  }
  ASSERT(60, DestinationBuffer != ((void *) 0));
  ASSERT(61, SourceBuffer != ((void *) 0));
  ASSERT(62, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)DestinationBuffer));
  ASSERT(63, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)SourceBuffer));
  return InternalMemCompareMem(DestinationBuffer, SourceBuffer, Length);
}
