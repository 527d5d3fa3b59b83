// CompilerFence: an empty routine that the compiler must treat as reading and writing any
// memory. Calls to it are never inlined, so no memory access can be moved, merged or dropped
// across one; it issues no processor fence instruction, which the MMIO accesses of this
// module do not need on x86-64 (uncached device memory is strongly ordered).
#include "Library/IoLib.h"

VORQ_EXTERN_C __attribute__((noinline)) VOID CompilerFence(VOID) { asm volatile("" : : : "memory"); }
