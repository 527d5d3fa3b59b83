// What every device model on the I/O port bus answers: whether it decodes an access, and the
// access itself. Widths are in bytes (1, 2 or 4), as the in/out instructions carry them.
#pragma once
#include <cstdint>

namespace vorq::emu {

class PortDevice {
 public:
  virtual ~PortDevice() = default;
  virtual const char* Name() const = 0;
  // False leaves the access to the next device, and in the end to the empty bus.
  virtual bool Decodes(uint16_t port, unsigned width) const = 0;
  virtual uint32_t Read(uint16_t port, unsigned width) = 0;
  virtual void Write(uint16_t port, unsigned width, uint32_t value) = 0;
};

inline uint32_t WidthMask(unsigned width) { return width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1; }

}  // namespace vorq::emu
