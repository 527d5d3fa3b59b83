#include "devices/AcpiPmTimer.h"

#include <time.h>

namespace vorq::emu {
namespace {
uint64_t MonotonicNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
}
}  // namespace

void AcpiPmTimer::Reset(const PmTimerConfig& config) {
  config_ = config;
  epoch_ns_ = MonotonicNanoseconds();
}

bool AcpiPmTimer::Decodes(uint16_t port, unsigned width) const {
  if (!bridge_.AcpiDecodeEnabled()) return false;
  const uint32_t timer = uint32_t(bridge_.AcpiBase()) + acpi::PM_TMR;
  return port >= timer && port + width <= timer + 4;
}

uint32_t AcpiPmTimer::Count() const {
  const uint64_t mask = config_.bits >= 32 ? 0xFFFFFFFFull : (1ull << config_.bits) - 1;
  if (config_.stuck) return uint32_t(config_.start & mask);
  const unsigned __int128 elapsed = MonotonicNanoseconds() - epoch_ns_;
  const uint64_t ticks = uint64_t(elapsed * acpi::PM_TIMER_FREQUENCY_HZ / 1000000000u);
  return uint32_t((config_.start + ticks) & mask);
}

uint32_t AcpiPmTimer::Read(uint16_t port, unsigned width) {
  const unsigned shift = 8 * (port - (bridge_.AcpiBase() + acpi::PM_TMR));
  return (Count() >> shift) & WidthMask(width);
}

}  // namespace vorq::emu
