#include "MemLibInternals.h"

// When the destination starts inside the source range, after its first byte, a forward copy
// would overwrite source bytes before reading them, so the copy runs backwards, one byte at a
// time from the last byte down, with the direction flag set only for that one instruction.
//
// Every other case copies forwards in eight-byte units and then the remaining bytes. That is
// also right when the destination lies before the source and the ranges overlap, even by fewer
// than eight bytes: each unit is read whole before it is written, and a write never reaches a
// unit that is still to be read.
VOID *InternalMemCopyMem(VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length) {
  const UINTN Source = (UINTN)SourceBuffer;
  const UINTN Destination = (UINTN)DestinationBuffer;

  if (Source < Destination && Source + Length - 1 >= Destination) {
    const UINT8 *From = (const UINT8 *)SourceBuffer + Length - 1;
    UINT8 *To = (UINT8 *)DestinationBuffer + Length - 1;
    asm volatile("std\n\trep movsb\n\tcld" : "+S"(From), "+D"(To), "+c"(Length) : : "memory");
    return DestinationBuffer;
  }

  const UINT8 *From = (const UINT8 *)SourceBuffer;
  UINT8 *To = (UINT8 *)DestinationBuffer;
  UINTN Units = Length >> 3;
  UINTN Bytes = Length & 7;
  asm volatile("rep movsq" : "+S"(From), "+D"(To), "+c"(Units) : : "memory");
  asm volatile("rep movsb" : "+S"(From), "+D"(To), "+c"(Bytes) : : "memory");
  return DestinationBuffer;
}
