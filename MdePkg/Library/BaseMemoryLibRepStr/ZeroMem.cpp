#include "MemLibInternals.h"

// Length / 8 eight-byte stores of zero, then Length % 8 byte stores, ascending.
VOID *InternalMemZeroMem(VOID *Buffer, UINTN Length) {
  VOID *Cursor = Buffer;
  UINTN Units = Length >> 3;
  UINTN Bytes = Length & 7;
  asm volatile("rep stosq" : "+D"(Cursor), "+c"(Units) : "a"(0ULL) : "memory");
  asm volatile("rep stosb" : "+D"(Cursor), "+c"(Bytes) : "a"(0ULL) : "memory");
  return Buffer;
}
