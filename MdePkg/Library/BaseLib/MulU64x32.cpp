// MulU64x32: the low 64 bits of Multiplicand * Multiplier; it tests nothing and wraps.
#include "Library/BaseLib.h"
#include "Math64.h"

VORQ_EXTERN_C UINT64 MulU64x32(UINT64 Multiplicand, UINT32 Multiplier) {
  return InternalMathMultU64x32(Multiplicand, Multiplier);
}
