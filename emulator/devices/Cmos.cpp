#include "devices/Cmos.h"

#include <cstring>

namespace vorq::emu {

void Cmos::Reset(uint8_t baud_selection) {
  std::memset(ram_, 0, sizeof ram_);
  index_ = 0;
  ram_[0x0A] = 0x26;  // RTC register A: 32.768 kHz time base, 1024 Hz rate
  ram_[0x0B] = 0x02;  // register B: 24-hour mode
  ram_[0x0D] = 0x80;  // register D: valid RAM and time
  ram_[cmos::BAUD_SELECTION] = baud_selection;
}

uint32_t Cmos::Read(uint16_t port, unsigned) {
  // The index port is write-only on real chipsets; answering the last index is the kind choice.
  if (port == cmos::CMOS_INDEX) return index_;
  return ram_[index_ & 0x7F];
}

void Cmos::Write(uint16_t port, unsigned, uint32_t value) {
  if (port == cmos::CMOS_INDEX)
    index_ = uint8_t(value);
  else
    ram_[index_ & 0x7F] = uint8_t(value);
}

}  // namespace vorq::emu
