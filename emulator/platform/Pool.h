// A pool over one fixed region, with every block accounted. Bookkeeping lives outside the
// region, so an image that overruns a block cannot corrupt it; a 16-byte red zone after each
// block tells at free time whether it was overrun. New blocks are filled with 0xAF (the image
// must not rely on zeroed pool), freed blocks with 0xDF.
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace vorq::emu {

struct PoolStats {
  uint64_t live_blocks = 0, live_bytes = 0;
  uint64_t peak_blocks = 0, peak_bytes = 0;
  uint64_t allocations = 0, frees = 0, failures = 0;
};

struct PoolBlock {
  uint64_t size;
  uint32_t memory_type;
};

enum class FreeOutcome { Freed, Overrun, DoubleFree, Foreign };

class Pool {
 public:
  static constexpr uint64_t kAlignment = 16;
  static constexpr uint64_t kRedZone = 16;
  static constexpr uint8_t kFreshFill = 0xAF, kFreedFill = 0xDF, kRedZoneFill = 0xFD;

  void Init(std::string name, uint8_t* base, uint64_t size);
  const std::string& Name() const { return name_; }
  // nullptr when no free range is large enough.
  void* Allocate(uint64_t size, uint32_t memory_type);
  // Overrun still frees the block; DoubleFree and Foreign change nothing.
  FreeOutcome Free(const void* buffer, uint64_t* size_out = nullptr);
  bool InRegion(const void* p) const { return uint64_t(reinterpret_cast<uintptr_t>(p)) - Base() < size_; }
  bool IsLiveBlock(const void* p) const { return live_.count(reinterpret_cast<uintptr_t>(p)) != 0; }

  const PoolStats& Stats() const { return stats_; }
  const std::map<uint64_t, PoolBlock>& LiveBlocks() const { return live_; }
  // A call's peak is measured from the live state at its start.
  void RestartPeak() {
    stats_.peak_blocks = stats_.live_blocks;
    stats_.peak_bytes = stats_.live_bytes;
  }
  uint64_t Base() const { return reinterpret_cast<uintptr_t>(base_); }
  uint64_t Size() const { return size_; }

 private:
  std::string name_;
  uint8_t* base_ = nullptr;
  uint64_t size_ = 0;
  std::map<uint64_t, uint64_t> free_;      // start -> length, coalesced
  std::map<uint64_t, PoolBlock> live_;     // start -> block
  std::set<uint64_t> freed_;               // starts freed and not handed out again
  PoolStats stats_;
};

}  // namespace vorq::emu
