// Base library: strings, unaligned loads, 64-by-32 arithmetic, processor controls and the
// jump context.
#pragma once
#include "Base.h"

// String measurement (the print engine's string functions). Lengths exclude the NUL; sizes
// include it. With a nonzero PcdMaximumAsciiStringLength / PcdMaximumUnicodeStringLength the
// functions assert that a string is not longer than the bound.
VORQ_EXTERN_C UINTN AsciiStrLength(const CHAR8 *String);
VORQ_EXTERN_C UINTN AsciiStrSize(const CHAR8 *String);
VORQ_EXTERN_C UINTN StrLength(const CHAR16 *String);
VORQ_EXTERN_C UINTN StrSize(const CHAR16 *String);

// Compares NUL-terminated strings character by character, each taken as signed CHAR8.
VORQ_EXTERN_C INTN AsciiStrCompare(const CHAR8 *FirstString, const CHAR8 *SecondString);

VORQ_EXTERN_C UINT16 LoadUnaligned16(const VOID *Buffer);
VORQ_EXTERN_C UINT32 LoadUnaligned32(const VOID *Buffer);
VORQ_EXTERN_C UINT64 LoadUnaligned64(const VOID *Buffer);

// Low 64 bits of the product; wraps silently.
VORQ_EXTERN_C UINT64 MulU64x32(UINT64 Multiplicand, UINT32 Multiplier);
// Quotient of Dividend / Divisor; the 32-bit remainder goes through Remainder when it is not
// NULL.
VORQ_EXTERN_C UINT64 DivRemU64x32(UINT64 Dividend, UINT32 Divisor, UINT32 *Remainder);

VORQ_EXTERN_C UINT64 ReadTimeStampCounter(VOID);
VORQ_EXTERN_C VOID SpinPause(VOID);
VORQ_EXTERN_C VOID BreakToDebugger(VOID);
// Loops on a volatile local index until a debugger writes a nonzero value into it.
VORQ_EXTERN_C VOID HaltForever(VOID);

// The processor state that SetJump saves and LongJump restores: the registers a called
// routine preserves for its caller under the firmware's x86-64 convention, and the resume
// point. The field order is fixed: the assembly routines address the fields by offset.
typedef struct {
  UINT64 Rbx;
  UINT64 Rsp;  // as it is after SetJump has returned to its caller
  UINT64 Rbp;
  UINT64 Rdi;
  UINT64 Rsi;
  UINT64 R12;
  UINT64 R13;
  UINT64 R14;
  UINT64 R15;
  UINT64 Rip;    // the return address of the SetJump call
  UINT64 Mxcsr;  // low 32 bits only; the high half is neither written nor read
  UINT8 Xmm6[16];
  UINT8 Xmm7[16];
  UINT8 Xmm8[16];
  UINT8 Xmm9[16];
  UINT8 Xmm10[16];
  UINT8 Xmm11[16];
  UINT8 Xmm12[16];
  UINT8 Xmm13[16];
  UINT8 Xmm14[16];
  UINT8 Xmm15[16];
} JUMP_CONTEXT;

static_assert(__builtin_offsetof(JUMP_CONTEXT, Rip) == 72, "JUMP_CONTEXT.Rip");
static_assert(__builtin_offsetof(JUMP_CONTEXT, Mxcsr) == 80, "JUMP_CONTEXT.Mxcsr");
static_assert(__builtin_offsetof(JUMP_CONTEXT, Xmm6) == 88, "JUMP_CONTEXT.Xmm6");
static_assert(sizeof(JUMP_CONTEXT) == 248, "JUMP_CONTEXT size");

// Returns 0 when it saves; returns the LongJump value when a later LongJump on the same
// buffer resumes it. Both use the firmware's calling convention on every build.
VORQ_EXTERN_C __attribute__((returns_twice)) UINTN EFIAPI SetJump(JUMP_CONTEXT *JumpBuffer);
VORQ_EXTERN_C [[noreturn]] VOID EFIAPI LongJump(JUMP_CONTEXT *JumpBuffer, UINTN Value);
