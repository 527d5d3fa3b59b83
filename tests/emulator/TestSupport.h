// What several emulator tests share: the fixture image, and signatures it accepts.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vorq::emu::test {

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<uint8_t> FixtureImage() { return ReadBytes(VORQ_FIXTURE_IMAGE); }

inline uint64_t Fnv1a64(const std::vector<uint8_t>& bytes) {
  uint64_t hash = 0xCBF29CE484222325ULL;
  for (uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ULL;
  return hash;
}

// The fixture's signature format: FNV-1a of the data in bytes 0-7, an action in byte 8.
inline std::vector<uint8_t> FixtureSignature(const std::vector<uint8_t>& data, uint8_t action = 0, bool valid = true) {
  std::vector<uint8_t> signature(256, 0);
  const uint64_t hash = valid ? Fnv1a64(data) : ~Fnv1a64(data);
  for (int i = 0; i < 8; ++i) signature[i] = uint8_t(hash >> (8 * i));
  signature[8] = action;
  return signature;
}

namespace action {
constexpr uint8_t kPlain = 0x00, kInvalidParameter = 0xEE, kLeak = 0x1E, kWriteSignature = 0xAA,
                  kCallStall = 0xCC, kDoubleFree = 0xDD, kReadPort80 = 0xBB;
}

}  // namespace vorq::emu::test
