// The fill that compiler-generated code calls by the C library's memset name. It must not
// itself become a call to memset, which is what the compiler makes of a recognisable fill
// loop: each store goes through a volatile pointer, which the compiler may neither merge nor
// replace by a library call. It tests nothing and does not depend on the debug library.
#include "Library/BaseMemoryLib.h"

VORQ_EXTERN_C VOID *RuntimeByteFill(VOID *Buffer, INT32 Value, UINT32 Count) {
  volatile UINT8 *Cursor = (volatile UINT8 *)Buffer;
  const UINT8 Byte = (UINT8)Value;
  while (Count-- != 0) {
    *Cursor++ = Byte;
  }
  return Buffer;
}
