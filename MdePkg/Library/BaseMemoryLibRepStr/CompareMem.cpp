#include "MemLibInternals.h"

// One repeated byte compare; it stops after the first unequal pair or after Length pairs,
// with both pointers one past the last pair compared. The difference of that pair, both bytes
// unsigned, is the result: 0 when all pairs were equal, else between -255 and 255.
INTN InternalMemCompareMem(const VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length) {
  const UINT8 *Destination = (const UINT8 *)DestinationBuffer;
  const UINT8 *Source = (const UINT8 *)SourceBuffer;
  asm volatile("repe cmpsb" : "+S"(Source), "+D"(Destination), "+c"(Length) : : "memory");
  return (INTN)Destination[-1] - (INTN)Source[-1];
}
