// The chipset's LPC bridge (bus 0, device 31, function 0), reached through PCI configuration
// mechanism 1, and its I/O decode registers 0x80 to 0x83:
//
//   0x80-0x81  decode ranges:  bits 2:0 first serial port, 6:4 second serial port, 12 floppy
//   0x82-0x83  decode enables: bit 0 first serial, 1 second serial, 3 floppy, 10 keyboard
#pragma once
#include "Base.h"

constexpr UINT16 PCI_CONFIG_ADDRESS = 0xCF8;
constexpr UINT16 PCI_CONFIG_DATA = 0xCFC;
constexpr UINT32 PCI_CONFIG_ENABLE = 0x80000000;

constexpr UINT32 LPC_BUS = 0;
constexpr UINT32 LPC_DEVICE = 31;
constexpr UINT32 LPC_FUNCTION = 0;
constexpr UINT32 LPC_IO_DEC = 0x80;  // decode ranges at 0x80, decode enables at 0x82

constexpr UINT32 PciConfigAddress(UINT32 Bus, UINT32 Device, UINT32 Function, UINT32 Register) {
  return PCI_CONFIG_ENABLE | Bus << 16 | Device << 11 | Function << 8 | Register;
}

constexpr UINT16 COMA_DEC_3F8 = 0x0000;  // 0x3F8-0x3FF
constexpr UINT16 COMB_DEC_2F8 = 0x0010;  // 0x2F8-0x2FF
constexpr UINT16 FDD_DEC = 0x1000;       // 0x370-0x375 and 0x377: the Super I/O ports

constexpr UINT16 COMA_LPC_EN = 0x0001;
constexpr UINT16 COMB_LPC_EN = 0x0002;
constexpr UINT16 FDD_LPC_EN = 0x0008;
constexpr UINT16 KBC_LPC_EN = 0x0400;  // 0x60 and 0x64

constexpr UINT32 LPC_IO_DEC_ADDRESS = PciConfigAddress(LPC_BUS, LPC_DEVICE, LPC_FUNCTION, LPC_IO_DEC);
constexpr UINT32 LPC_IO_DEC_VALUE =
    (UINT32)(COMA_LPC_EN | COMB_LPC_EN | FDD_LPC_EN | KBC_LPC_EN) << 16 |
    (COMA_DEC_3F8 | COMB_DEC_2F8 | FDD_DEC);

static_assert(LPC_IO_DEC_ADDRESS == 0x8000F880, "LPC bridge register 0x80");
static_assert(LPC_IO_DEC_VALUE == 0x040B1010, "LPC decode ranges and enables");
