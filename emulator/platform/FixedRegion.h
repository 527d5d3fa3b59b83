// One anonymous mapping at a fixed address that must not replace anything already there.
#pragma once
#include <cstdint>
#include <string>

namespace vorq::emu {

class FixedRegion {
 public:
  FixedRegion() = default;
  FixedRegion(const FixedRegion&) = delete;
  FixedRegion& operator=(const FixedRegion&) = delete;
  ~FixedRegion() { Release(); }

  // Read-write, not reserved in swap (the SMRAM and pools are touched sparsely).
  bool Map(uint64_t address, uint64_t size, const std::string& what, std::string* error);
  void Release();
  uint8_t* Base() const { return base_; }
  uint64_t Address() const { return reinterpret_cast<uint64_t>(base_); }
  uint64_t Size() const { return size_; }
  bool Contains(uint64_t address) const { return base_ && address - Address() < size_; }

 private:
  uint8_t* base_ = nullptr;
  uint64_t size_ = 0;
};

}  // namespace vorq::emu
