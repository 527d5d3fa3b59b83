#include "devices/PciMechanism1.h"

namespace vorq::emu {

bool PciMechanism1::Decodes(uint16_t port, unsigned width) const {
  if (port == pci::CONFIG_ADDRESS) return width == 4;
  return port >= pci::CONFIG_DATA && port + width <= pci::CONFIG_DATA + 4;
}

int PciMechanism1::TargetRegister(uint16_t port) const {
  if ((address_ & pci::CONFIG_ENABLE) == 0) return -1;
  const unsigned bus = (address_ >> 16) & 0xFF, device = (address_ >> 11) & 0x1F, function = (address_ >> 8) & 7;
  if (bus != lpc::kBus || device != lpc::kDevice || function != lpc::kFunction) return -1;
  return int((address_ & 0xFC) + (port - pci::CONFIG_DATA));
}

uint32_t PciMechanism1::Read(uint16_t port, unsigned width) {
  if (port == pci::CONFIG_ADDRESS) return address_;
  const int reg = TargetRegister(port);
  if (reg < 0) return WidthMask(width);
  uint32_t value = 0;
  for (unsigned i = 0; i < width; ++i) value |= uint32_t(bridge_.Read8(uint16_t(reg + i))) << (8 * i);
  return value;
}

void PciMechanism1::Write(uint16_t port, unsigned width, uint32_t value) {
  if (port == pci::CONFIG_ADDRESS) {
    address_ = value;
    return;
  }
  const int reg = TargetRegister(port);
  if (reg < 0) return;
  for (unsigned i = 0; i < width; ++i) bridge_.Write8(uint16_t(reg + i), uint8_t(value >> (8 * i)));
}

}  // namespace vorq::emu
