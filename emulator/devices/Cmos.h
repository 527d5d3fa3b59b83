// The RTC's CMOS RAM, standard bank: index at 0x70 (bit 7 is the NMI mask, not address),
// data at 0x71. Register 0x6F carries the board's serial baud selection (bits 0x06).
#pragma once
#include "devices/PortDevice.h"

namespace vorq::emu {

namespace cmos {
constexpr uint16_t CMOS_INDEX = 0x70;
constexpr uint16_t CMOS_DATA = 0x71;
constexpr uint8_t NMI_DISABLE = 0x80;
constexpr uint8_t BAUD_SELECTION = 0x6F;
}  // namespace cmos

class Cmos final : public PortDevice {
 public:
  const char* Name() const override { return "cmos"; }
  bool Decodes(uint16_t port, unsigned width) const override {
    return width == 1 && (port == cmos::CMOS_INDEX || port == cmos::CMOS_DATA);
  }
  uint32_t Read(uint16_t port, unsigned width) override;
  void Write(uint16_t port, unsigned width, uint32_t value) override;
  void Reset(uint8_t baud_selection);
  uint8_t Register(uint8_t index) const { return ram_[index & 0x7F]; }

 private:
  uint8_t index_ = 0;
  uint8_t ram_[128] = {};
};

}  // namespace vorq::emu
