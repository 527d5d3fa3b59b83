// The RTC's CMOS RAM: index and data ports, and the byte that selects the console's baud rate.
#pragma once
#include "Base.h"

constexpr UINT16 CMOS_INDEX = 0x70;
constexpr UINT16 CMOS_DATA = 0x71;

constexpr UINT8 CMOS_BAUD_SELECTION = 0x6F;
constexpr UINT8 CMOS_BAUD_MASK = 0x06;
constexpr UINT8 CMOS_BAUD_115200 = 0x00;
constexpr UINT8 CMOS_BAUD_57600 = 0x02;
constexpr UINT8 CMOS_BAUD_19200 = 0x04;
constexpr UINT8 CMOS_BAUD_9600 = 0x06;
