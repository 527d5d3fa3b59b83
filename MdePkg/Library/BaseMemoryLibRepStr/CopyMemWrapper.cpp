// MemCopy: copies Length bytes from SourceBuffer to DestinationBuffer, correctly for
// overlapping ranges, and returns DestinationBuffer.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "MemLibInternals.h"

ASSERT_SOURCE("MdePkg/Library/BaseMemoryLibRepStr/CopyMemWrapper");

VORQ_EXTERN_C VOID *MemCopy(VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length) {
  if (Length == 0) {
    return DestinationBuffer;
  }
  ASSERT(56, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)DestinationBuffer));
  ASSERT(57, (Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)SourceBuffer));
  if (DestinationBuffer == SourceBuffer) {
    return DestinationBuffer;
  }
  return InternalMemCopyMem(DestinationBuffer, SourceBuffer, Length);
}
