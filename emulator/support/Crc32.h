// CRC-32 (IEEE 802.3, reflected, as the UEFI table headers carry it).
#pragma once
#include <cstddef>
#include <cstdint>

namespace vorq::emu {

inline uint32_t Crc32(const void* data, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

}  // namespace vorq::emu
