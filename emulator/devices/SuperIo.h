// The Super I/O chip's configuration ports: index at 0x370, data at 0x371, no entry or exit
// key sequence. Register 0x07 selects the logical device; 0x30, 0x60, 0x61, 0x70 and 0xF0
// are per device. Logical devices 2 and 3 are the serial ports, 0x11 the one the module's
// read-modify-write table programs; any other device reads 0xFF and ignores writes, like an
// absent one.
#pragma once
#include <array>
#include <vector>

#include "devices/LpcBridge.h"
#include "devices/PortDevice.h"

namespace vorq::emu {

namespace sio {
constexpr uint16_t SIO_INDEX = 0x370;
constexpr uint16_t SIO_DATA = 0x371;
constexpr uint8_t SIO_LDN_SELECT = 0x07;
constexpr uint8_t SIO_ACTIVATE = 0x30;
constexpr uint8_t SIO_ACTIVE = 0x01;
constexpr uint8_t SIO_BASE_HIGH = 0x60;
constexpr uint8_t SIO_BASE_LOW = 0x61;
constexpr uint8_t SIO_IRQ = 0x70;
constexpr uint8_t SIO_DEVICE_OPTIONS = 0xF0;
constexpr uint8_t SIO_LDN_SERIAL_2 = 0x02;  // the port at 0x2F8 once programmed
constexpr uint8_t SIO_LDN_SERIAL_1 = 0x03;  // the port at 0x3F8 once programmed
constexpr uint8_t SIO_LDN_11 = 0x11;
}  // namespace sio

struct SuperIoConfig {
  // Logical devices active at power-on, each with its usual base (2: 0x2F8, 3: 0x3F8).
  std::vector<uint8_t> initially_active;
  // Bits 0x06 of device 0x11's register 0xF0 start set so that the module's clearing shows.
  uint8_t ldn11_options = 0x0E;
};

class SuperIo final : public PortDevice {
 public:
  explicit SuperIo(const LpcBridge& bridge, const bool& gating) : bridge_(bridge), gating_(gating) {}
  const char* Name() const override { return "super-io"; }
  bool Decodes(uint16_t port, unsigned width) const override;
  uint32_t Read(uint16_t port, unsigned width) override;
  void Write(uint16_t port, unsigned width, uint32_t value) override;
  void Reset(const SuperIoConfig& config);

  uint8_t DeviceRegister(uint8_t ldn, uint8_t reg) const;
  bool DeviceActive(uint8_t ldn) const { return (DeviceRegister(ldn, sio::SIO_ACTIVATE) & sio::SIO_ACTIVE) != 0; }
  uint16_t DeviceBase(uint8_t ldn) const {
    return uint16_t(DeviceRegister(ldn, sio::SIO_BASE_HIGH) << 8 | DeviceRegister(ldn, sio::SIO_BASE_LOW));
  }

 private:
  // Registers below 0x30 are the chip's own and shared by every logical device.
  static bool IsChipRegister(uint8_t reg) { return reg < 0x30; }
  std::array<uint8_t, 256>* Device(uint8_t ldn);
  const LpcBridge& bridge_;
  const bool& gating_;
  uint8_t index_ = 0;
  std::array<uint8_t, 0x30> chip_{};
  std::array<uint8_t, 256> ldn2_{}, ldn3_{}, ldn11_{};
};

}  // namespace vorq::emu
