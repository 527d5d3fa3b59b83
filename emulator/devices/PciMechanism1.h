// PCI configuration mechanism 1: CONFIG_ADDRESS at 0xCF8 (32-bit accesses only; narrower ones
// belong to other chipset registers such as 0xCF9), CONFIG_DATA at 0xCFC-0xCFF. Only the LPC
// bridge exists; every other function reads all ones and drops writes, as an empty slot does.
#pragma once
#include "devices/LpcBridge.h"
#include "devices/PortDevice.h"

namespace vorq::emu {

namespace pci {
constexpr uint16_t CONFIG_ADDRESS = 0xCF8;
constexpr uint16_t CONFIG_DATA = 0xCFC;
constexpr uint32_t CONFIG_ENABLE = 0x80000000u;
}  // namespace pci

class PciMechanism1 final : public PortDevice {
 public:
  explicit PciMechanism1(LpcBridge& bridge) : bridge_(bridge) {}
  const char* Name() const override { return "pci-mechanism-1"; }
  bool Decodes(uint16_t port, unsigned width) const override;
  uint32_t Read(uint16_t port, unsigned width) override;
  void Write(uint16_t port, unsigned width, uint32_t value) override;
  uint32_t Address() const { return address_; }
  void Reset() { address_ = 0; }

 private:
  // The register the data port reaches, or -1 when it reaches no modelled function.
  int TargetRegister(uint16_t port) const;
  LpcBridge& bridge_;
  uint32_t address_ = 0;
};

}  // namespace vorq::emu
