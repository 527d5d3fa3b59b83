#include "Math64.h"

// The low 64 bits of the product; the high bits are dropped.
UINT64 InternalMathMultU64x32(UINT64 Multiplicand, UINT32 Multiplier) { return Multiplicand * Multiplier; }

// Divisor must not be 0. The remainder and the quotient come from two separate divisions of
// the same operands, the divisor widened to 64 bits.
UINT64 InternalMathDivRemU64x32(UINT64 Dividend, UINT32 Divisor, UINT32 *Remainder) {
  if (Remainder != NULL) {
    *Remainder = (UINT32)(Dividend % (UINT64)Divisor);
  }
  return Dividend / (UINT64)Divisor;
}
