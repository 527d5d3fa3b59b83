#include "MemLibInternals.h"

// One byte-granular repeated store: the fill never uses a wider unit.
VOID *InternalMemSetMem(VOID *Buffer, UINTN Length, UINT8 Value) {
  VOID *Cursor = Buffer;
  asm volatile("rep stosb" : "+D"(Cursor), "+c"(Length) : "a"(Value) : "memory");
  return Buffer;
}
