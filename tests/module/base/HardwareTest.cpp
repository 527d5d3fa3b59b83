// The port, MMIO and PCI accessors and the processor controls against the emulator's board:
// its port bus and log, the PCI configuration mechanism at 0xCF8/0xCFC, the CMOS, the ACPI
// timer and the PCI Express window at 0x80000000 that holds the LPC bridge.
#include <gtest/gtest.h>

#include <vector>

#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/IoLib.h"
#include "Library/PciExpressLib.h"
#include "trap/HostHardware.h"

namespace {

using vorq::emu::FaultKind;
using vorq::emu::HostHardware;

constexpr UINTN kLpcAcpiBase = PCI_EXPRESS_ADDRESS(0, 31, 0, 0x40);
constexpr UINTN kLpcAcpiControl = PCI_EXPRESS_ADDRESS(0, 31, 0, 0x44);
// Mechanism 1 address of the same register: enable, bus 0, device 31, function 0, 0x40.
constexpr UINT32 kMechanismAcpiBase = 0x80000000U | (31U << 11) | 0x40;

struct Access {
  uint16_t Port;
  uint8_t Width;
  bool IsWrite;
  uint32_t Value;
  bool operator==(const Access &) const = default;
};

void PrintTo(const Access &A, std::ostream *Out) {
  *Out << (A.IsWrite ? "out" : "in") << (unsigned)A.Width * 8 << " 0x" << std::hex << A.Port << " = 0x" << A.Value;
}

class Hardware : public testing::Test {
 protected:
  void SetUp() override {
    vorq::emu::BoardConfig Config;
    Config.cmos_baud_selection = 0x04;
    Hw.Reset(Config);
    Hw.Log().Clear();
  }

  std::vector<Access> Accesses() {
    std::vector<Access> Result;
    for (const auto &Entry : Hw.Log().Entries()) {
      Result.push_back({Entry.port, Entry.width, Entry.is_write, Entry.value});
    }
    return Result;
  }

  HostHardware Hw;
};

// Each operation is one in or out of its width, and only the low 16 bits of the port
// number select the port.
TEST_F(Hardware, EachPortOperationIsOneAccessOfItsWidth) {
  UINT32 AcpiBase = 0;
  UINT8 BaudSelection = 0;
  const auto Fault = Hw.Run([&] {
    EXPECT_EQ(PortWrite32(0xCF8, kMechanismAcpiBase), kMechanismAcpiBase);
    AcpiBase = PortRead32(0xCFC);
    EXPECT_EQ(PortWrite8(0xABCD0070, 0x6F), 0x6F);
    BaudSelection = PortRead8(0x10071);
  });
  ASSERT_FALSE(Fault) << vorq::emu::DescribeFault(*Fault);
  EXPECT_EQ(AcpiBase, 0x00000001U);
  EXPECT_EQ(BaudSelection, 0x04);
  const std::vector<Access> Expected = {
      {0xCF8, 4, true, kMechanismAcpiBase},
      {0xCFC, 4, false, 0x00000001},
      {0x70, 1, true, 0x6F},
      {0x71, 1, false, 0x04},
  };
  EXPECT_EQ(Accesses(), Expected);
}

TEST_F(Hardware, UnservedPortEndsTheRunWithItsPortAndWidth) {
  const auto Fault = Hw.Run([] { PortRead32(0x500); });
  ASSERT_TRUE(Fault);
  EXPECT_EQ(Fault->kind, FaultKind::UnpopulatedPort);
  EXPECT_EQ(Fault->port, 0x500);
  EXPECT_EQ(Fault->width, 4U);
}

// The calibration's sequence: program the LPC bridge's ACPI base and decode through the
// window, then read the power-management timer port.
TEST_F(Hardware, ConfigurationWindowReachesTheLpcBridge) {
  std::string Error;
  ASSERT_TRUE(Hw.MapPcieWindow(&Error)) << Error;
  ASSERT_EQ(PcdPcieWindowBase, 0x80000000ULL);
  EXPECT_EQ(PciCfgRead16(kLpcAcpiBase), 0x0001);
  EXPECT_EQ(PciCfgWrite16(kLpcAcpiBase, 0x0401), 0x0401);
  EXPECT_EQ(PciCfgOr8(kLpcAcpiControl, 0x80), 0x80);
  EXPECT_EQ(PciCfgRead8(kLpcAcpiControl), 0x80);
  EXPECT_EQ(Hw.Lpc().AcpiBase(), 0x400);
  EXPECT_TRUE(Hw.Lpc().AcpiDecodeEnabled());
  // An absent function answers all ones.
  EXPECT_EQ(PcieRead16(PCI_EXPRESS_ADDRESS(0, 1, 0, 0)), 0xFFFF);

  const auto Fault = Hw.Run([] { PortRead32(0x408); });
  ASSERT_FALSE(Fault) << vorq::emu::DescribeFault(*Fault);
  ASSERT_EQ(Hw.Log().Entries().size(), 1U);
  EXPECT_EQ(Hw.Log().Entries()[0].port, 0x408);
  EXPECT_EQ(Hw.Log().Entries()[0].width, 4);
  EXPECT_STREQ(Hw.Log().Entries()[0].device, "acpi-pm-timer");
}

TEST_F(Hardware, BreakToDebuggerStopsOnceAndReturns) {
  bool Returned = false;
  const auto Fault = Hw.Run([&] {
    BreakToDebugger();
    Returned = true;
  });
  EXPECT_FALSE(Fault);
  EXPECT_TRUE(Returned);
  EXPECT_EQ(vorq::emu::Breakpoints().size(), 1U);
}

TEST_F(Hardware, HaltForeverRunsUntilStopped) {
  const auto Fault = Hw.Run([] { HaltForever(); }, 200);
  ASSERT_TRUE(Fault);
  EXPECT_EQ(Fault->kind, FaultKind::Timeout);
}

}  // namespace
