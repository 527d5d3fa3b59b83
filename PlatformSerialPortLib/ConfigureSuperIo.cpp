// The Super I/O takes index and data accesses as they come: no configuration-mode entry or
// exit sequence is written.
//
// 1. Device 0x11: each register becomes (old AND mask) OR value, in table order.
// 2. Read the activation bytes of devices 3 and 2.
// 3. If either is exactly SIO_ACTIVE, the serial devices are someone else's: leave them.
// 4. Otherwise program device 3 as the port at 0x3F8 (IRQ 4) and device 2 as the port at
//    0x2F8 (IRQ 3), both active, by plain writes in table order.
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"
#include "SuperIo.h"

namespace {

struct SIO_UPDATE {
  UINT8 Register;
  UINT8 AndMask;
  UINT8 OrValue;
};

struct SIO_WRITE {
  UINT8 Register;
  UINT8 Value;
};

constexpr SIO_UPDATE kDevice11Setup[] = {
    {SIO_LDN_SELECT, 0x00, SIO_LDN_11},
    {SIO_BASE_HIGH, 0x00, 0x0C},
    {SIO_BASE_LOW, 0x00, 0xB0},              // I/O base 0x0CB0
    {SIO_DEVICE_OPTIONS, 0xF9, 0x00},        // clear bits 0x06
    {SIO_ACTIVATE, 0xFE, SIO_ACTIVE},
};

constexpr SIO_WRITE kSerialSetup[] = {
    {SIO_LDN_SELECT, SIO_LDN_SERIAL_1},
    {SIO_BASE_HIGH, 0x03},
    {SIO_BASE_LOW, 0xF8},  // I/O base 0x03F8
    {SIO_IRQ, 0x04},
    {SIO_ACTIVATE, SIO_ACTIVE},
    {SIO_LDN_SELECT, SIO_LDN_SERIAL_2},
    {SIO_BASE_HIGH, 0x02},
    {SIO_BASE_LOW, 0xF8},  // I/O base 0x02F8
    {SIO_IRQ, 0x03},
    {SIO_ACTIVATE, SIO_ACTIVE},
};

UINT8 ActivationOf(UINT8 Device) {
  PortWrite8(SIO_INDEX, SIO_LDN_SELECT);
  PortWrite8(SIO_DATA, Device);
  PortWrite8(SIO_INDEX, SIO_ACTIVATE);
  return PortRead8(SIO_DATA);
}

}  // namespace

VORQ_EXTERN_C VOID ConfigureSuperIo(VOID) {
  for (const SIO_UPDATE &Entry : kDevice11Setup) {
    PortWrite8(SIO_INDEX, Entry.Register);
    const UINT8 Old = PortRead8(SIO_DATA);
    PortWrite8(SIO_DATA, (UINT8)((Old & Entry.AndMask) | Entry.OrValue));
  }

  const UINT8 Serial1 = ActivationOf(SIO_LDN_SERIAL_1);
  const UINT8 Serial2 = ActivationOf(SIO_LDN_SERIAL_2);
  if (Serial1 == SIO_ACTIVE || Serial2 == SIO_ACTIVE) {
    return;
  }

  for (const SIO_WRITE &Entry : kSerialSetup) {
    PortWrite8(SIO_INDEX, Entry.Register);
    PortWrite8(SIO_DATA, Entry.Value);
  }
}
