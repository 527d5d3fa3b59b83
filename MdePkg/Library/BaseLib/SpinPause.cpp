// SpinPause: the processor's pause hint, once; busy-wait loops call it every iteration.
#include "Library/BaseLib.h"

VORQ_EXTERN_C VOID SpinPause(VOID) { asm volatile("pause"); }
