#include "Library/BaseLib.h"
#include "PrintLibInternal.h"

static constexpr CHAR8 kDigits[] = "0123456789ABCDEF";

VORQ_EXTERN_C CHAR8 *ValueToDigits(CHAR8 *Buffer, UINT64 Value, UINT32 Radix) {
  *Buffer = '\0';
  do {
    UINT32 Remainder;
    Value = DivRemU64x32(Value, Radix, &Remainder);
    *++Buffer = kDigits[Remainder];
  } while (Value != 0);
  return Buffer;
}
