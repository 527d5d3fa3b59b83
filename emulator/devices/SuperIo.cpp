#include "devices/SuperIo.h"

namespace vorq::emu {

std::array<uint8_t, 256>* SuperIo::Device(uint8_t ldn) {
  switch (ldn) {
    case sio::SIO_LDN_SERIAL_2: return &ldn2_;
    case sio::SIO_LDN_SERIAL_1: return &ldn3_;
    case sio::SIO_LDN_11: return &ldn11_;
    default: return nullptr;
  }
}

uint8_t SuperIo::DeviceRegister(uint8_t ldn, uint8_t reg) const {
  auto* device = const_cast<SuperIo*>(this)->Device(ldn);
  return device ? (*device)[reg] : 0xFF;
}

void SuperIo::Reset(const SuperIoConfig& config) {
  index_ = 0;
  chip_.fill(0);
  ldn2_.fill(0);
  ldn3_.fill(0);
  ldn11_.fill(0);
  ldn11_[sio::SIO_DEVICE_OPTIONS] = config.ldn11_options;
  // An active device comes up where the module's serial set-up would put it.
  struct PowerOn {
    uint8_t ldn;
    uint16_t base;
    uint8_t irq;
  };
  static constexpr PowerOn kPowerOn[] = {
      {sio::SIO_LDN_SERIAL_1, 0x3F8, 4}, {sio::SIO_LDN_SERIAL_2, 0x2F8, 3}, {sio::SIO_LDN_11, 0x0CB0, 0}};
  for (uint8_t ldn : config.initially_active) {
    for (const PowerOn& p : kPowerOn) {
      if (p.ldn != ldn) continue;
      auto& regs = *Device(ldn);
      regs[sio::SIO_ACTIVATE] = sio::SIO_ACTIVE;
      regs[sio::SIO_BASE_HIGH] = uint8_t(p.base >> 8);
      regs[sio::SIO_BASE_LOW] = uint8_t(p.base);
      regs[sio::SIO_IRQ] = p.irq;
    }
  }
}

bool SuperIo::Decodes(uint16_t port, unsigned width) const {
  if (width != 1 || (port != sio::SIO_INDEX && port != sio::SIO_DATA)) return false;
  return !gating_ || bridge_.DecodesSuperIoAt370();
}

uint32_t SuperIo::Read(uint16_t port, unsigned) {
  if (port == sio::SIO_INDEX) return index_;
  if (IsChipRegister(index_)) return chip_[index_];
  return DeviceRegister(chip_[sio::SIO_LDN_SELECT], index_);
}

void SuperIo::Write(uint16_t port, unsigned, uint32_t value) {
  if (port == sio::SIO_INDEX) {
    index_ = uint8_t(value);
    return;
  }
  if (IsChipRegister(index_)) {
    chip_[index_] = uint8_t(value);
    return;
  }
  if (auto* device = Device(chip_[sio::SIO_LDN_SELECT])) (*device)[index_] = uint8_t(value);
}

}  // namespace vorq::emu
