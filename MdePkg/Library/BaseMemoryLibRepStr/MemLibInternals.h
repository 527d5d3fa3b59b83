// The unguarded inner routines of the memory operations. Each does its work with one
// repeat-prefixed string instruction (two where a wide pass is followed by a byte pass) and
// tests nothing: only the guarded operation beside it calls it, after the trivial cases and
// the argument tests, so Length is never 0 when it gets here (ZeroMem accepts 0).
//
// Both calling conventions the module is built for guarantee that the direction flag is
// clear on entry to a function and require it to be clear again on return; the routines
// rely on the first and keep the second.
#pragma once
#include "Base.h"

VOID *InternalMemSetMem(VOID *Buffer, UINTN Length, UINT8 Value);
VOID *InternalMemZeroMem(VOID *Buffer, UINTN Length);
VOID *InternalMemCopyMem(VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length);
INTN InternalMemCompareMem(const VOID *DestinationBuffer, const VOID *SourceBuffer, UINTN Length);
const VOID *InternalMemScanMem8(const VOID *Buffer, UINTN Length, UINT8 Value);
