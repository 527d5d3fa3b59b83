// Real port instructions for tests that run on the trapped board, in both operand forms.
#pragma once
#include <cstdint>

namespace vorq::emu::test {

inline uint8_t In8(uint16_t port) {
  uint8_t v;
  __asm__ volatile("inb %w1, %b0" : "=a"(v) : "d"(port));
  return v;
}
inline uint16_t In16(uint16_t port) {
  uint16_t v;
  __asm__ volatile("inw %w1, %w0" : "=a"(v) : "d"(port));
  return v;
}
inline uint32_t In32(uint16_t port) {
  uint32_t v;
  __asm__ volatile("inl %w1, %0" : "=a"(v) : "d"(port));
  return v;
}
inline void Out8(uint16_t port, uint8_t v) { __asm__ volatile("outb %b0, %w1" : : "a"(v), "d"(port)); }
inline void Out16(uint16_t port, uint16_t v) { __asm__ volatile("outw %w0, %w1" : : "a"(v), "d"(port)); }
inline void Out32(uint16_t port, uint32_t v) { __asm__ volatile("outl %0, %w1" : : "a"(v), "d"(port)); }
// The immediate forms, for the CMOS ports the module reaches as constants.
inline uint8_t InCmosDataImmediate() {
  uint8_t v;
  __asm__ volatile("inb $0x71, %b0" : "=a"(v));
  return v;
}
inline void OutCmosIndexImmediate(uint8_t v) { __asm__ volatile("outb %b0, $0x70" : : "a"(v)); }
// An in that keeps the upper bytes of rax: the trap must replace only al.
inline uint64_t In8KeepingRax(uint16_t port, uint64_t rax) {
  __asm__ volatile("inb %w1, %b0" : "+a"(rax) : "d"(port));
  return rax;
}

}  // namespace vorq::emu::test
