// PCI Express configuration access through the memory-mapped window at PcdPcieWindowBase.
//
//   encoded address   bits 27-20 bus | 19-15 device | 14-12 function | 11-0 register
//   memory address    PcdPcieWindowBase + encoded address
//
// Bits 28-63 must be zero. An address with any of them set names no register: it would
// reach memory past the window's 256 MiB, so it is never accessed. A read of it gives all
// ones, as a configuration read that no function answers does, and a write is dropped.
#include "FixedSettings.h"
#include "Library/DebugLib.h"
#include "Library/IoLib.h"
#include "Library/PciExpressLib.h"

ASSERT_SOURCE("MdePkg/Library/BasePciExpressLib/PciExpressLib");

namespace {

BOOLEAN IsInWindow(UINTN Address) { return (Address & ~(UINTN)0xFFFFFFF) == 0 ? TRUE : FALSE; }

// The window base is read afresh on every access.
UINTN WindowAddress(UINTN Address) { return (UINTN)PcdPcieWindowBase + Address; }

}  // namespace

VORQ_EXTERN_C UINT8 PcieRead8(UINTN Address) {
  ASSERT(109, ((Address) & ~0xfffffff) == 0);
  if (!IsInWindow(Address)) {
    return 0xFF;
  }
  return MmioLoad8(WindowAddress(Address));
}

// Read, OR the mask in, write back: two separate accesses. Returns the value written.
VORQ_EXTERN_C UINT8 PcieOr8(UINTN Address, UINT8 OrData) {
  ASSERT(167, ((Address) & ~0xfffffff) == 0);
  if (!IsInWindow(Address)) {
    return 0xFF;
  }
  return MmioOr8(WindowAddress(Address), OrData);
}

// The MMIO layer tests the register's alignment.
VORQ_EXTERN_C UINT16 PcieRead16(UINTN Address) {
  ASSERT(482, ((Address) & ~0xfffffff) == 0);
  if (!IsInWindow(Address)) {
    return 0xFFFF;
  }
  return MmioLoad16(WindowAddress(Address));
}

VORQ_EXTERN_C UINT16 PcieWrite16(UINTN Address, UINT16 Value) {
  ASSERT(510, ((Address) & ~0xfffffff) == 0);
  if (!IsInWindow(Address)) {
    return Value;
  }
  return MmioStore16(WindowAddress(Address), Value);
}
