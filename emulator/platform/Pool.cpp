#include "platform/Pool.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vorq::emu {
namespace {
uint64_t RoundUp(uint64_t v, uint64_t a) { return (v + a - 1) / a * a; }
}  // namespace

void Pool::Init(std::string name, uint8_t* base, uint64_t size) {
  name_ = std::move(name);
  base_ = base;
  size_ = size;
  free_.clear();
  live_.clear();
  freed_.clear();
  stats_ = {};
  if (size) free_[Base()] = size;
}

void* Pool::Allocate(uint64_t size, uint32_t memory_type) {
  // Sizes near 2^64 must fail, not wrap: compare against the region before rounding.
  if (size > size_) {
    ++stats_.failures;
    return nullptr;
  }
  const uint64_t footprint = RoundUp(size + kRedZone, kAlignment);
  for (auto it = free_.begin(); it != free_.end(); ++it) {
    if (it->second < footprint) continue;
    const uint64_t start = it->first, length = it->second;
    free_.erase(it);
    if (length > footprint) free_[start + footprint] = length - footprint;
    auto* bytes = reinterpret_cast<uint8_t*>(start);
    std::memset(bytes, kFreshFill, size);
    std::memset(bytes + size, kRedZoneFill, footprint - size);
    live_[start] = {size, memory_type};
    freed_.erase(start);
    ++stats_.allocations;
    ++stats_.live_blocks;
    stats_.live_bytes += size;
    stats_.peak_blocks = std::max(stats_.peak_blocks, stats_.live_blocks);
    stats_.peak_bytes = std::max(stats_.peak_bytes, stats_.live_bytes);
    return bytes;
  }
  ++stats_.failures;
  return nullptr;
}

FreeOutcome Pool::Free(const void* buffer, uint64_t* size_out) {
  const uint64_t start = reinterpret_cast<uintptr_t>(buffer);
  const auto it = live_.find(start);
  if (it == live_.end()) return freed_.count(start) ? FreeOutcome::DoubleFree : FreeOutcome::Foreign;
  const uint64_t size = it->second.size;
  const uint64_t footprint = RoundUp(size + kRedZone, kAlignment);
  auto* bytes = reinterpret_cast<uint8_t*>(start);
  bool overrun = false;
  for (uint64_t i = size; i < footprint; ++i) overrun |= bytes[i] != kRedZoneFill;
  std::memset(bytes, kFreedFill, footprint);
  live_.erase(it);
  freed_.insert(start);
  if (size_out) *size_out = size;
  ++stats_.frees;
  --stats_.live_blocks;
  stats_.live_bytes -= size;

  // Give the range back and merge it with its free neighbours.
  uint64_t merged_start = start, merged_length = footprint;
  auto next = free_.lower_bound(start);
  if (next != free_.end() && next->first == start + footprint) {
    merged_length += next->second;
    next = free_.erase(next);
  }
  if (next != free_.begin()) {
    auto previous = std::prev(next);
    if (previous->first + previous->second == start) {
      merged_start = previous->first;
      merged_length += previous->second;
      free_.erase(previous);
    }
  }
  free_[merged_start] = merged_length;
  return overrun ? FreeOutcome::Overrun : FreeOutcome::Freed;
}

}  // namespace vorq::emu
