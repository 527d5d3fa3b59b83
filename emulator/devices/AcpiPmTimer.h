// The ACPI power-management timer: a free-running counter at 3,579,545 Hz, read at the LPC
// bridge's ACPI base + 8 while ACPI decode is on. Derived from CLOCK_MONOTONIC so that it
// advances in real time between the image's reads, exactly as the TSC does.
#pragma once
#include "devices/LpcBridge.h"
#include "devices/PortDevice.h"

namespace vorq::emu {

namespace acpi {
constexpr uint16_t PM_TMR = 0x08;  // offset in the PM I/O block, 32-bit register
constexpr uint64_t PM_TIMER_FREQUENCY_HZ = 3579545;
}  // namespace acpi

struct PmTimerConfig {
  unsigned bits = 24;       // 24 or 32
  uint32_t start = 0;       // the count at reset, e.g. just below the wrap
  bool stuck = false;       // always answers `start`: the module's wait never ends
};

class AcpiPmTimer final : public PortDevice {
 public:
  explicit AcpiPmTimer(const LpcBridge& bridge) : bridge_(bridge) {}
  const char* Name() const override { return "acpi-pm-timer"; }
  bool Decodes(uint16_t port, unsigned width) const override;
  uint32_t Read(uint16_t port, unsigned width) override;
  // The register is read-only: writes are decoded and ignored.
  void Write(uint16_t, unsigned, uint32_t) override {}
  void Reset(const PmTimerConfig& config);
  uint32_t Count() const;

 private:
  const LpcBridge& bridge_;
  PmTimerConfig config_;
  uint64_t epoch_ns_ = 0;
};

}  // namespace vorq::emu
