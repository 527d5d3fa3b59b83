// HaltForever: loops until a debugger writes a nonzero value into the volatile local below,
// which is the only way out; the routine then returns to its caller.
#include "Library/BaseLib.h"

VORQ_EXTERN_C VOID HaltForever(VOID) {
  volatile UINTN Index = 0;
  while (Index == 0) {
  }
}
