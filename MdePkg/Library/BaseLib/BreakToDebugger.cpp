// BreakToDebugger: the software breakpoint instruction; execution goes on after it when no
// debugger stops there.
#include "Library/BaseLib.h"

VORQ_EXTERN_C VOID BreakToDebugger(VOID) { asm volatile("int3"); }
