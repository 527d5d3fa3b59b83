// Every port access the trap served or refused, in order, for reports and tests.
#pragma once
#include <cstdint>
#include <vector>

namespace vorq::emu {

struct PortAccess {
  uint16_t port;
  uint8_t width;        // bytes: 1, 2 or 4
  bool is_write;
  uint32_t value;       // written, or answered
  uint64_t instruction; // address of the in/out instruction
  const char* device;   // the model that decoded it; nullptr for the empty bus
};

class PortLog {
 public:
  // A stuck PM timer polled for seconds would fill memory; past this the log only counts.
  static constexpr size_t kCapacity = 1u << 20;

  void Record(const PortAccess& access) {
    if (entries_.size() < kCapacity)
      entries_.push_back(access);
    else
      ++dropped_;
  }
  void Clear() {
    entries_.clear();
    dropped_ = 0;
  }
  const std::vector<PortAccess>& Entries() const { return entries_; }
  uint64_t Dropped() const { return dropped_; }

 private:
  std::vector<PortAccess> entries_;
  uint64_t dropped_ = 0;
};

}  // namespace vorq::emu
