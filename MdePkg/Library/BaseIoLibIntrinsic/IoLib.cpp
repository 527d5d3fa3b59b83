// Memory-mapped access: exactly one access of the named width through a volatile pointer,
// with CompilerFence called immediately before and immediately after it. Writes return the
// value written.
#include "Library/DebugLib.h"
#include "Library/IoLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseIoLibIntrinsic/IoLib");

VORQ_EXTERN_C UINT8 MmioLoad8(UINTN Address) {
  CompilerFence();
  const UINT8 Value = *(volatile const UINT8 *)Address;
  CompilerFence();
  return Value;
}

VORQ_EXTERN_C UINT8 MmioStore8(UINTN Address, UINT8 Value) {
  CompilerFence();
  *(volatile UINT8 *)Address = Value;
  CompilerFence();
  return Value;
}

VORQ_EXTERN_C UINT16 MmioLoad16(UINTN Address) {
  ASSERT(151, (Address & 1) == 0);
  CompilerFence();
  const UINT16 Value = *(volatile const UINT16 *)Address;
  CompilerFence();
  return Value;
}

VORQ_EXTERN_C UINT16 MmioStore16(UINTN Address, UINT16 Value) {
  ASSERT(214, (Address & 1) == 0);
  CompilerFence();
  *(volatile UINT16 *)Address = Value;
  CompilerFence();
  return Value;
}

// Two separate fenced accesses, not an atomic update: a caller that shares the register
// with another processor serialises the sequence itself.
VORQ_EXTERN_C UINT8 MmioOr8(UINTN Address, UINT8 OrData) {
  return MmioStore8(Address, (UINT8)(MmioLoad8(Address) | OrData));
}
