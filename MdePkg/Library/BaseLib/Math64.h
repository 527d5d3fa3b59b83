// The unguarded 64-by-32 arithmetic routines behind MulU64x32 and DivRemU64x32.
#pragma once
#include "Base.h"

UINT64 InternalMathMultU64x32(UINT64 Multiplicand, UINT32 Multiplier);
UINT64 InternalMathDivRemU64x32(UINT64 Dividend, UINT32 Divisor, UINT32 *Remainder);
