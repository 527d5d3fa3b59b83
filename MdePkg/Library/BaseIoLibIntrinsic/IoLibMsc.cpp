// Processor I/O ports: one in or out instruction of the named width, the port number in DX,
// so only its low 16 bits select the port. Writes return the value written. The memory
// clobber keeps the compiler from moving memory accesses across a port access, which a
// device may observe.
#include "Library/DebugLib.h"
#include "Library/IoLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseIoLibIntrinsic/IoLibMsc");

VORQ_EXTERN_C UINT8 PortRead8(UINTN Port) {
  UINT8 Value;
  asm volatile("inb %%dx, %%al" : "=a"(Value) : "d"((UINT16)Port) : "memory");
  return Value;
}

VORQ_EXTERN_C UINT8 PortWrite8(UINTN Port, UINT8 Value) {
  asm volatile("outb %%al, %%dx" : : "a"(Value), "d"((UINT16)Port) : "memory");
  return Value;
}

VORQ_EXTERN_C UINT32 PortRead32(UINTN Port) {
  ASSERT(193, (Port & 3) == 0);
  UINT32 Value;
  asm volatile("inl %%dx, %%eax" : "=a"(Value) : "d"((UINT16)Port) : "memory");
  return Value;
}

VORQ_EXTERN_C UINT32 PortWrite32(UINTN Port, UINT32 Value) {
  ASSERT(223, (Port & 3) == 0);
  asm volatile("outl %%eax, %%dx" : : "a"(Value), "d"((UINT16)Port) : "memory");
  return Value;
}
