// The configuration table that carries the TSC frequency: one UINT64, ticks per second.
#pragma once
#include "Uefi/Guid.h"

#define TSC_FREQUENCY_TABLE_GUID \
  { 0xDBA6A7E3, 0xBB57, 0x4BE7, { 0x8A, 0xF8, 0xD5, 0x78, 0xDB, 0x7E, 0x56, 0x87 } }
