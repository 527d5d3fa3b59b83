#include "MemLibInternals.h"

// One repeated byte scan; it stops one past the first byte equal to Value (zero flag set) or
// after Length bytes (zero flag clear).
const VOID *InternalMemScanMem8(const VOID *Buffer, UINTN Length, UINT8 Value) {
  const UINT8 *Cursor = (const UINT8 *)Buffer;
  BOOLEAN Found;
  asm volatile("repne scasb" : "+D"(Cursor), "+c"(Length), "=@ccz"(Found) : "a"(Value) : "memory");
  return Found ? Cursor - 1 : NULL;
}
