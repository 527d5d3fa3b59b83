// Each device model through real in/out instructions executed in this process, trapped.
#include <gtest/gtest.h>

#include <time.h>

#include "PortIo.h"
#include "trap/HostHardware.h"

namespace vorq::emu {
namespace {
using namespace test;

// The module's LPC decode write: COMA 0x3F8, COMB 0x2F8, Super I/O at 0x370, and the enables.
void OpenLpcDecode() {
  Out32(0xCF8, 0x8000F880);
  Out32(0xCFC, 0x040B1010);
}

class DeviceTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(hw.MapPcieWindow(&error)) << error; }
  void Reset(const BoardConfig& config) {
    hw.Reset(config);
  }
  HostHardware hw;
  std::string error;
};

TEST_F(DeviceTest, CmosAnswersRegister6FAsConfiguredThroughBothOperandForms) {
  for (uint8_t value : {0x00, 0x02, 0x04, 0x06, 0xF9}) {
    BoardConfig config;
    config.cmos_baud_selection = value;
    Reset(config);
    Out8(0x70, 0x6F);
    EXPECT_EQ(In8(0x71), value);
    OutCmosIndexImmediate(0x80 | 0x6F);  // the NMI mask bit is not part of the index
    EXPECT_EQ(InCmosDataImmediate(), value);
  }
}

TEST_F(DeviceTest, AnInReplacesOnlyTheBitsOfItsWidth) {
  BoardConfig config;
  config.cmos_baud_selection = 0x42;
  Reset(config);
  Out8(0x70, 0x6F);
  EXPECT_EQ(In8KeepingRax(0x71, 0x1122334455667700ULL), 0x1122334455667742ULL);
}

TEST_F(DeviceTest, PciMechanismOneAndTheWindowShareTheLpcBridge) {
  Reset({});
  Out32(0xCF8, 0x8000F800);
  EXPECT_EQ(In32(0xCFC), 0x70008086u);  // device and vendor IDs
  Out32(0xCF8, 0x8000F840);
  Out16(0xCFC, 0x0400);
  Out32(0xCF8, 0x8000F844);
  Out8(0xCFC, 0x80);
  volatile auto* window = reinterpret_cast<volatile uint8_t*>(0x800F8000ULL);
  EXPECT_EQ(window[0x40] | window[0x41] << 8, 0x0400);
  EXPECT_EQ(window[0x44], 0x80);
  window[0x83] = 0x04;
  Out32(0xCF8, 0x8000F880);
  EXPECT_EQ(In8(0xCFF), 0x04);  // byte lane 3 of register 0x80
  Out32(0xCF8, 0x80000000 | (3u << 11));
  EXPECT_EQ(In32(0xCFC), 0xFFFFFFFFu);  // device 3: an empty slot
  Out32(0xCF8, 0x0000F800);
  EXPECT_EQ(In32(0xCFC), 0xFFFFFFFFu);  // enable bit clear
  EXPECT_EQ(window[0x1000], 0xFF);      // function 1 of device 31 is absent too
}

TEST_F(DeviceTest, SuperIoIsReachableOnlyOnceTheLpcDecodesIt) {
  Reset({});
  const auto fault = hw.Run([] { Out8(0x370, 0x07); });
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, FaultKind::UnpopulatedPort);
  EXPECT_EQ(fault->port, 0x370);
  OpenLpcDecode();
  EXPECT_FALSE(hw.Run([] { Out8(0x370, 0x07); }).has_value());
}

TEST_F(DeviceTest, SuperIoServesTheReadModifyWriteTable) {
  Reset({});
  OpenLpcDecode();
  struct Entry {
    uint8_t reg, mask, value;
  };
  const Entry kTable[] = {{0x07, 0x00, 0x11}, {0x60, 0x00, 0x0C}, {0x61, 0x00, 0xB0}, {0xF0, 0xF9, 0x00}, {0x30, 0xFE, 0x01}};
  for (const Entry& e : kTable) {
    Out8(0x370, e.reg);
    const uint8_t old = In8(0x371);
    Out8(0x371, uint8_t((old & e.mask) | e.value));
  }
  SuperIo& chip = hw.SuperIoChip();
  EXPECT_EQ(chip.DeviceBase(0x11), 0x0CB0);
  EXPECT_EQ(chip.DeviceRegister(0x11, 0xF0), 0x08);  // 0x0E with bits 0x06 cleared
  EXPECT_TRUE(chip.DeviceActive(0x11));
  Out8(0x370, 0x07);
  Out8(0x371, 0x05);  // no such logical device
  Out8(0x370, 0x30);
  EXPECT_EQ(In8(0x371), 0xFF);
}

TEST_F(DeviceTest, SuperIoInitialActivationIsConfigurable) {
  struct ActivationCase {
    std::vector<uint8_t> active;
    uint8_t device3, device2;
  };
  const ActivationCase kCases[] = {{{}, 0x00, 0x00}, {{3}, 0x01, 0x00}, {{2}, 0x00, 0x01}, {{2, 3}, 0x01, 0x01}};
  for (const ActivationCase& c : kCases) {
    BoardConfig config;
    config.super_io.initially_active = c.active;
    Reset(config);
    OpenLpcDecode();
    Out8(0x370, 0x07), Out8(0x371, 0x03), Out8(0x370, 0x30);
    EXPECT_EQ(In8(0x371), c.device3);
    Out8(0x370, 0x07), Out8(0x371, 0x02), Out8(0x370, 0x30);
    EXPECT_EQ(In8(0x371), c.device2);
  }
}

// The module's plain-write table, which makes logical device 3 the UART at 0x3F8.
void ActivateSerialPorts() {
  const uint8_t kTable[][2] = {{0x07, 0x03}, {0x60, 0x03}, {0x61, 0xF8}, {0x70, 0x04}, {0x30, 0x01},
                               {0x07, 0x02}, {0x60, 0x02}, {0x61, 0xF8}, {0x70, 0x03}, {0x30, 0x01}};
  for (const auto& e : kTable) Out8(0x370, e[0]), Out8(0x371, e[1]);
}

TEST_F(DeviceTest, UartAnswersOnlyWhenDecodedAndActivated) {
  Reset({});
  EXPECT_TRUE(hw.Run([] { In8(0x3FD); }).has_value());
  OpenLpcDecode();
  EXPECT_TRUE(hw.Run([] { In8(0x3FD); }).has_value());  // device 3 not yet active
  ActivateSerialPorts();
  EXPECT_FALSE(hw.Run([] { In8(0x3FD); }).has_value());
}

TEST_F(DeviceTest, UartFollowsTheModulesProgrammingAndCapturesBytes) {
  Reset({});
  OpenLpcDecode();
  ActivateSerialPorts();
  EXPECT_EQ(In8(0x3FA), 0x01);  // FIFOs off at reset
  Out8(0x3FB, 0x80);
  Out8(0x3F9, 0x00);
  Out8(0x3F8, 0x0C);
  EXPECT_EQ(In8(0x3F8), 0x0C);  // DLL reads back while DLAB is set
  Out8(0x3FB, 0x03);
  Out8(0x3FA, 0x07);
  Out8(0x3FC, 0x00);
  EXPECT_EQ(hw.Uart().Divisor(), 12);
  EXPECT_EQ(In8(0x3FA), 0xC1);  // FIFOs on, no interrupt pending
  EXPECT_EQ(In8(0x3FD) & 0x40, 0x40);
  for (char c : std::string("hi\r\n")) Out8(0x3F8, uint8_t(c));
  EXPECT_EQ(std::string(hw.Uart().Transmitted().begin(), hw.Uart().Transmitted().end()), "hi\r\n");
  Out8(0x3FA, 0x27);
  EXPECT_EQ(In8(0x3FA), 0xE1);  // the 64-byte FIFO bit shows
}

TEST_F(DeviceTest, UartModemStatusAndBusyTransmitterAreSettable) {
  BoardConfig config;
  config.uart.msr = 0x20;
  config.uart.busy_reads = 2;
  config.decode_gating = false;
  Reset(config);
  EXPECT_EQ(In8(0x3FE), 0x20);
  hw.Uart().SetModemStatus(0x30);
  EXPECT_EQ(In8(0x3FE), 0x30);
  Out8(0x3F8, 'x');
  EXPECT_EQ(In8(0x3FD) & 0x40, 0);
  EXPECT_EQ(In8(0x3FD) & 0x40, 0);
  EXPECT_EQ(In8(0x3FD) & 0x40, 0x40);
}

uint64_t NowNs() {
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return uint64_t(t.tv_sec) * 1000000000u + uint64_t(t.tv_nsec);
}

TEST_F(DeviceTest, PmTimerIsDecodedAtTheProgrammedBaseAndCountsAtTheAcpiRate) {
  Reset({});
  EXPECT_TRUE(hw.Run([] { In32(0x408); }).has_value());  // ACPI decode still off
  volatile auto* window = reinterpret_cast<volatile uint8_t*>(0x800F8000ULL);
  window[0x40] = 0x01;  // 0x401: the low 7 bits are not part of the base
  window[0x41] = 0x04;
  window[0x44] = window[0x44] | 0x80;
  // The ticks between two reads must match the clock between them, bounded from both sides
  // by clock readings taken just inside and just outside the pair of reads.
  const uint64_t before_first = NowNs();
  const uint32_t first = In32(0x408);
  const uint64_t after_first = NowNs();
  while (NowNs() - after_first < 20000000) {
  }
  const uint64_t before_last = NowNs();
  const uint32_t last = In32(0x408);
  const uint64_t after_last = NowNs();
  const uint64_t ticks = (last - first) & 0xFFFFFF;
  const auto ticks_in = [](uint64_t ns) { return uint64_t((unsigned __int128)ns * 3579545 / 1000000000); };
  EXPECT_GE(ticks + 1, ticks_in(before_last - after_first));
  EXPECT_LE(ticks, ticks_in(after_last - before_first) + 1);
  EXPECT_LE(In32(0x408), 0xFFFFFFu);  // 24 bits by default
}

TEST_F(DeviceTest, PmTimerWrapsAtItsWidthAndCanBeStuck) {
  struct TimerCase {
    const char* meaning;
    PmTimerConfig timer;
  };
  const TimerCase kCases[] = {
      {"24-bit starting 10 ticks before the wrap", {24, 0xFFFFF6, false}},
      {"32-bit starting 10 ticks before the wrap", {32, 0xFFFFFFF6, false}},
  };
  for (const TimerCase& c : kCases) {
    BoardConfig config;
    config.pm_timer = c.timer;
    config.acpi_base = 0x0401;
    config.acpi_control = 0x80;
    Reset(config);
    const uint64_t start = NowNs();
    while (NowNs() - start < 1000000) {
    }
    EXPECT_LT(In32(0x408), c.timer.start) << c.meaning;  // wrapped: a full turn takes seconds
  }
  BoardConfig stuck;
  stuck.pm_timer = {24, 0x123456, true};
  stuck.acpi_base = 0x0401;
  stuck.acpi_control = 0x80;
  Reset(stuck);
  EXPECT_EQ(In32(0x408), 0x123456u);
  EXPECT_EQ(In32(0x408), 0x123456u);
}

TEST_F(DeviceTest, UnpopulatedPortsStopTheRunOrReadAllOnes) {
  Reset({});
  const auto fault = hw.Run([] { In16(0x80); });
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, FaultKind::UnpopulatedPort);
  EXPECT_EQ(fault->port, 0x80);
  EXPECT_EQ(fault->width, 2u);
  EXPECT_NE(DescribeFault(*fault).find("no device decodes port 0x80 (16-bit read)"), std::string::npos);
  BoardConfig empty_bus;
  empty_bus.unpopulated_reads_ff = true;
  Reset(empty_bus);
  EXPECT_EQ(In8(0x80), 0xFF);
  EXPECT_EQ(In16(0x80), 0xFFFF);
  Out8(0x80, 0x12);
}

TEST_F(DeviceTest, EveryAccessIsLogged) {
  Reset({});
  OpenLpcDecode();
  Out8(0x70, 0x6F);
  In8(0x71);
  const auto& log = hw.Log().Entries();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].port, 0xCF8);
  EXPECT_EQ(log[0].width, 4);
  EXPECT_TRUE(log[0].is_write);
  EXPECT_EQ(log[0].value, 0x8000F880u);
  EXPECT_STREQ(log[1].device, "pci-mechanism-1");
  EXPECT_EQ(log[3].port, 0x71);
  EXPECT_FALSE(log[3].is_write);
  EXPECT_STREQ(log[3].device, "cmos");
}

TEST_F(DeviceTest, Int3IsLoggedAndExecutionGoesOn) {
  Reset({});
  int after = 0;
  const auto fault = hw.Run([&] {
    __asm__ volatile("int3");
    after = 1;
  });
  EXPECT_FALSE(fault.has_value());
  EXPECT_EQ(after, 1);
  EXPECT_EQ(Breakpoints().size(), 1u);
}

TEST_F(DeviceTest, PrivilegedInstructionsStopTheRun) {
  Reset({});
  const auto fault = hw.Run([] { __asm__ volatile("hlt"); });
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, FaultKind::UnsupportedInstruction);
  EXPECT_EQ(fault->bytes[0], 0xF4);
}

}  // namespace
}  // namespace vorq::emu

namespace vorq::emu {
namespace {

TEST(TrapExceptions, InvalidOpcodesAndDivideErrorsStopTheRun) {
  HostHardware hw;
  struct ExceptionCase {
    const char* meaning;
    void (*body)();
    const char* text;
  };
  const ExceptionCase kCases[] = {
      {"ud2", [] { __asm__ volatile("ud2"); }, "invalid opcode at"},
      {"divide by zero", [] { __asm__ volatile("xor %%ecx, %%ecx; div %%ecx" ::: "eax", "ecx", "edx"); }, "divide error at"},
  };
  for (const ExceptionCase& c : kCases) {
    const auto fault = hw.Run(c.body);
    ASSERT_TRUE(fault.has_value()) << c.meaning;
    EXPECT_EQ(fault->kind, FaultKind::ProcessorException) << c.meaning;
    EXPECT_NE(DescribeFault(*fault).find(c.text), std::string::npos) << c.meaning;
  }
}

}  // namespace
}  // namespace vorq::emu
