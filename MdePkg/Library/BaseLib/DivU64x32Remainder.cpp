// DivRemU64x32: Dividend / Divisor, with the 32-bit remainder stored through Remainder when
// that is not NULL.
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Math64.h"

ASSERT_SOURCE("MdePkg/Library/BaseLib/DivU64x32Remainder");

VORQ_EXTERN_C UINT64 DivRemU64x32(UINT64 Dividend, UINT32 Divisor, UINT32 *Remainder) {
  ASSERT(47, Divisor != 0);
  if (Divisor == 0) {
    // A division by zero would raise a processor exception, inside SMM a machine stop. The
    // answer instead keeps Dividend == Quotient * Divisor + Remainder in 32 bits: the largest
    // quotient and the dividend as the remainder.
    if (Remainder != NULL) {
      *Remainder = (UINT32)Dividend;
    }
    return 0xFFFFFFFFFFFFFFFFULL;
  }
  return InternalMathDivRemU64x32(Dividend, Divisor, Remainder);
}
