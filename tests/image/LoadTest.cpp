// Loading the real image: what its entry leaves behind, its serial console, and the TSC
// frequency it publishes.
#include <gtest/gtest.h>

#include <string>

#include "ImageFixture.h"
#include "Protocol/SmmImageAuthentication.h"

using namespace vorq::emu;

namespace {

std::string AsText(const std::vector<std::uint8_t> &Bytes) { return std::string(Bytes.begin(), Bytes.end()); }

constexpr std::uint16_t kTimerPort = 0x408;

std::vector<std::uint32_t> TimerReads(const ImageRun &Run, std::uint16_t Port) {
  std::vector<std::uint32_t> Values;
  for (const auto &Access : Run.Ports) {
    if (Access.port == Port && !Access.is_write && Access.width == 4) Values.push_back(Access.value);
  }
  return Values;
}

// With the shipped base 0x400 and decode off, the module programs the base and the enable bit,
// then reads the timer at 0x408.
TEST(Load, TimerPortComesFromTheProgrammedBase) {
  const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, BoardOptions());
  EXPECT_EQ(Run.AcpiBaseRegister & 0xFF80, 0x400);
  EXPECT_NE(Run.AcpiControlRegister & 0x80, 0);
  EXPECT_GT(TimerReads(Run, kTimerPort).size(), 1u);
}

// With decode already on, the base register is left alone and its low bits are ignored.
TEST(Load, DecodeAlreadyEnabledKeepsTheBaseThatIsThere) {
  for (const std::uint16_t Base : {std::uint16_t{0x401}, std::uint16_t{0x501}}) {
    SCOPED_TRACE(Base);
    EmulatorOptions Options = BoardOptions();
    Options.board.acpi_base = Base;
    Options.board.acpi_control = 0x80;
    const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, Options);
    EXPECT_EQ(Run.AcpiBaseRegister, Base);
    EXPECT_GT(TimerReads(Run, static_cast<std::uint16_t>((Base & 0xFF80) + 8)).size(), 1u);
    ASSERT_TRUE(Run.TscTableHz.has_value());
  }
}

TEST(Load, PublishedTableIsCopiedAndNothingIsMeasured) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.tsc_table_hz = 1234567890;
  const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, Options);
  EXPECT_EQ(Run.Entry.status, EFI_SUCCESS);
  EXPECT_EQ(Run.TscTableHz, 1234567890u);
  EXPECT_EQ(Run.ConfigurationTables, 1u);
  EXPECT_TRUE(TimerReads(Run, kTimerPort).empty());
  EXPECT_EQ(Run.AcpiControlRegister & 0x80, 0) << "the chipset is not touched";
  EXPECT_EQ(Run.BootPoolBlocks, 0u) << "nothing is allocated";
}

// A counter started just before its wrap ends the wait at the first reading 3580 or more
// ticks after the first one, for both widths.
TEST(Load, TimerWrapEndsTheWaitAfter3580Ticks) {
  const struct {
    unsigned Bits;
    std::uint32_t Start;
  } Rows[] = {{24, 0xFFFF00}, {32, 0xFFFFFF00}, {24, 0}};
  for (const auto &Row : Rows) {
    SCOPED_TRACE(Row.Bits);
    EmulatorOptions Options = BoardOptions();
    Options.board.pm_timer.bits = Row.Bits;
    Options.board.pm_timer.start = Row.Start;
    const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, Options);
    const std::vector<std::uint32_t> Reads = TimerReads(Run, kTimerPort);
    ASSERT_GE(Reads.size(), 2u);
    const std::uint32_t Mask = Row.Bits == 24 ? 0xFFFFFF : 0xFFFFFFFF;
    const auto Elapsed = [&](std::uint32_t Value) { return (Value - Reads.front()) & Mask; };
    EXPECT_GE(Elapsed(Reads.back()), 3580u);
    EXPECT_LT(Elapsed(Reads[Reads.size() - 2]), 3580u);
    ASSERT_TRUE(Run.TscTableHz.has_value());
  }
}

// A failed allocation leaves the value in the module's own copy only: no table is installed.
TEST(Load, FailedAllocationInstallsNoTable) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.faults.fail_boot_nth_during_load = 1;
  const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, Options);
  EXPECT_EQ(Run.Entry.status, EFI_SUCCESS);
  EXPECT_FALSE(Run.TscTableHz.has_value());
  EXPECT_TRUE(Run.Entry.misuse.empty());
}

// A timer that never counts does not hold the boot: the wait gives up and no frequency is
// published.
TEST(Load, StuckTimerGivesUpAndPublishesNothing) {
  EmulatorOptions Options = BoardOptions();
  Options.board.pm_timer.stuck = true;
  const ImageRun Run = RunImage(VORQ_SHIPPED_IMAGE, Options);
  ASSERT_TRUE(Run.Entry.returned) << "the entry never returned";
  EXPECT_EQ(Run.Entry.status, EFI_SUCCESS);
  EXPECT_FALSE(Run.TscTableHz.has_value());
  EXPECT_EQ(Run.BootPoolBlocks, 0u) << "the unused buffer is given back";
}

// The debug flavour reports on its serial console; the shipped one stays silent.
TEST(Load, DebugImageReportsAMissingCheckerOnTheSerialConsole) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.checker = CheckerMode::Absent;
  const std::string Expected =
      "\r\nASSERT_EFI_ERROR (Status = Not Found)\r\n"
      "ASSERT Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib(76): !EFI_ERROR (Status)\r\n"
      "\r\nASSERT_EFI_ERROR (Status = Not Found)\r\n"
      "ASSERT AutoGen(304): !EFI_ERROR (Status)\r\n";
  const ImageRun Debug = RunImage(VORQ_DEBUG_IMAGE, Options);
  EXPECT_EQ(Debug.Entry.status, EFI_SUCCESS);
  EXPECT_EQ(AsText(Debug.Serial), Expected);

  const ImageRun Shipped = RunImage(VORQ_SHIPPED_IMAGE, Options);
  EXPECT_EQ(Shipped.Entry.status, EFI_SUCCESS);
  EXPECT_TRUE(Shipped.Serial.empty());
}

TEST(Load, DebugImageIsSilentOnAGoodBoard) {
  const ImageRun Run = RunImage(VORQ_DEBUG_IMAGE, BoardOptions());
  EXPECT_EQ(Run.Entry.status, EFI_SUCCESS);
  EXPECT_EQ(AsText(Run.Serial), "");
}

}  // namespace
