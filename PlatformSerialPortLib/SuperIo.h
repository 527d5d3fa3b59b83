// The board's Super I/O chip: configuration index and data ports, and the per-device
// registers behind them. Register 0x07 selects the logical device the others address.
#pragma once
#include "Base.h"

constexpr UINT16 SIO_INDEX = 0x370;
constexpr UINT16 SIO_DATA = 0x371;

constexpr UINT8 SIO_LDN_SELECT = 0x07;
constexpr UINT8 SIO_ACTIVATE = 0x30;
constexpr UINT8 SIO_BASE_HIGH = 0x60;
constexpr UINT8 SIO_BASE_LOW = 0x61;
constexpr UINT8 SIO_IRQ = 0x70;
constexpr UINT8 SIO_DEVICE_OPTIONS = 0xF0;

constexpr UINT8 SIO_ACTIVE = 0x01;  // the activation register's value for an active device

constexpr UINT8 SIO_LDN_SERIAL_2 = 0x02;  // programmed as the serial port at 0x2F8, IRQ 3
constexpr UINT8 SIO_LDN_SERIAL_1 = 0x03;  // programmed as the serial port at 0x3F8, IRQ 4
constexpr UINT8 SIO_LDN_11 = 0x11;
