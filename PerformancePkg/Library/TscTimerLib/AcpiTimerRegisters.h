// The chipset registers behind the ACPI power-management timer: the LPC bridge at bus 0,
// device 31, function 0, in the PCI configuration encoding.
#pragma once
#include "Library/PciExpressLib.h"

#define LPC_BRIDGE_BUS 0
#define LPC_BRIDGE_DEVICE 31
#define LPC_BRIDGE_FUNCTION 0

// 0x40, 16 bits: the ACPI I/O base, bits 15:7.
#define LPC_ACPI_BASE_REGISTER PCI_EXPRESS_ADDRESS(LPC_BRIDGE_BUS, LPC_BRIDGE_DEVICE, LPC_BRIDGE_FUNCTION, 0x40)
#define LPC_ACPI_BASE_MASK 0xFF80
// 0x44, 8 bits: bit 7 enables decoding of the ACPI I/O block.
#define LPC_ACPI_CONTROL_REGISTER PCI_EXPRESS_ADDRESS(LPC_BRIDGE_BUS, LPC_BRIDGE_DEVICE, LPC_BRIDGE_FUNCTION, 0x44)
#define LPC_ACPI_DECODE_ENABLE 0x80

// The power-management timer: a 32-bit port at the ACPI base + 8, counting at 3,579,545 Hz,
// 24 or 32 bits wide.
#define ACPI_PM_TIMER_OFFSET 8
// 3580 ticks are taken as one millisecond: the wait ends at the first reading at least that
// far past the first one.
#define ACPI_PM_TIMER_TICKS_PER_MILLISECOND 3580
