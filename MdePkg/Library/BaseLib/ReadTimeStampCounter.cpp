// ReadTimeStampCounter: the 64-bit time-stamp counter, read without a serialising
// instruction before or after it.
#include "Library/BaseLib.h"

VORQ_EXTERN_C UINT64 ReadTimeStampCounter(VOID) {
  UINT32 Low;
  UINT32 High;
  asm volatile("rdtsc" : "=a"(Low), "=d"(High));
  return ((UINT64)High << 32) | Low;
}
