// The chipset's LPC bridge, bus 0 device 31 function 0: its configuration space lives in the
// PCI Express window (real memory at 0x80000000 + 0xF8000) once that is mapped, and in a host
// buffer before, so that mechanism 1 and the window always see the same bytes.
#pragma once
#include <cstdint>
#include <cstring>

namespace vorq::emu {

namespace lpc {
constexpr uint8_t kBus = 0, kDevice = 31, kFunction = 0;
constexpr uint16_t PCI_VENDOR_ID = 0x00;
constexpr uint16_t PCI_DEVICE_ID = 0x02;
constexpr uint16_t PCI_COMMAND = 0x04;
constexpr uint16_t PCI_REVISION_ID = 0x08;
constexpr uint16_t PCI_CLASS_CODE = 0x09;   // 3 bytes: programming interface, subclass, class
constexpr uint16_t PCI_HEADER_TYPE = 0x0E;
constexpr uint16_t ACPI_BASE = 0x40;        // 16 bit, bits 15:7 the PM I/O block base
constexpr uint16_t ACPI_BASE_MASK = 0xFF80;
constexpr uint16_t ACPI_CNTL = 0x44;
constexpr uint8_t ACPI_EN = 0x80;           // decode of the PM I/O block
constexpr uint16_t LPC_IO_DEC = 0x80;       // 16 bit: decode ranges
constexpr uint16_t COMA_DEC_MASK = 0x0007;  // 000 = 0x3F8
constexpr uint16_t COMB_DEC_MASK = 0x0070;  // 001 = 0x2F8
constexpr uint16_t FDD_DEC = 0x1000;        // 1 = 0x370-0x375, 0x377
constexpr uint16_t LPC_EN = 0x82;           // 16 bit: decode enables
constexpr uint16_t COMA_LPC_EN = 0x0001;
constexpr uint16_t COMB_LPC_EN = 0x0002;
constexpr uint16_t FDD_LPC_EN = 0x0008;
constexpr uint16_t KBC_LPC_EN = 0x0400;
constexpr uint16_t kConfigSpaceSize = 4096;
}  // namespace lpc

class LpcBridge {
 public:
  LpcBridge() { space_ = local_; }

  uint8_t* Space() { return space_; }
  const uint8_t* Space() const { return space_; }
  // The window's page for this function becomes the one copy of the configuration space.
  void MoveInto(uint8_t* window_page) {
    std::memcpy(window_page, space_, lpc::kConfigSpaceSize);
    space_ = window_page;
  }
  void MoveOut() {
    if (space_ != local_) std::memcpy(local_, space_, lpc::kConfigSpaceSize);
    space_ = local_;
  }

  uint8_t Read8(uint16_t reg) const { return space_[reg & 0xFFF]; }
  uint16_t Read16(uint16_t reg) const { return uint16_t(Read8(reg) | Read8(reg + 1) << 8); }
  void Write8(uint16_t reg, uint8_t value) { space_[reg & 0xFFF] = value; }

  bool AcpiDecodeEnabled() const { return (Read8(lpc::ACPI_CNTL) & lpc::ACPI_EN) != 0; }
  uint16_t AcpiBase() const { return Read16(lpc::ACPI_BASE) & lpc::ACPI_BASE_MASK; }
  // True when one of the two COM decoders is enabled on the range that holds `base`.
  bool DecodesComPort(uint16_t base) const;
  bool DecodesSuperIoAt370() const {
    return (Read16(lpc::LPC_EN) & lpc::FDD_LPC_EN) && (Read16(lpc::LPC_IO_DEC) & lpc::FDD_DEC);
  }

 private:
  uint8_t local_[lpc::kConfigSpaceSize] = {};
  uint8_t* space_;
};

}  // namespace vorq::emu
