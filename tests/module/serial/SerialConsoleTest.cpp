// The serial console run against the emulator's board: every port access it makes is
// checked in the port-access log, in order.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ConsoleTestSupport.h"
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"

namespace {

using vorq::emu::BoardConfig;
using vorq::emu::PortAccess;

constexpr UINT16 kThr = 0x3F8, kDlm = 0x3F9, kIir = 0x3FA, kLcr = 0x3FB, kMcr = 0x3FC, kLsr = 0x3FD, kMsr = 0x3FE;
constexpr UINT32 kLpcDecode = 0x040B1010;

struct SuperIoUpdate {
  UINT8 Register, AndMask, OrValue;
};
const SuperIoUpdate kDevice11Setup[] = {
    {0x07, 0x00, 0x11}, {0x60, 0x00, 0x0C}, {0x61, 0x00, 0xB0}, {0xF0, 0xF9, 0x00}, {0x30, 0xFE, 0x01}};

struct SuperIoWrite {
  UINT8 Register, Value;
};
const SuperIoWrite kSerialSetup[] = {{0x07, 0x03}, {0x60, 0x03}, {0x61, 0xF8}, {0x70, 0x04}, {0x30, 0x01},
                                     {0x07, 0x02}, {0x60, 0x02}, {0x61, 0xF8}, {0x70, 0x03}, {0x30, 0x01}};

// The LPC decode write, the read-modify-write table, the two activation reads, and the
// plain-write table when neither serial device was active.
VOID ExpectPlatformSequence(PortTrace &Trace, bool SerialSetupWritten) {
  Trace.Write(0xCF8, 0x8000F880, 4);
  Trace.Write(0xCFC, kLpcDecode, 4);
  for (const SuperIoUpdate &Entry : kDevice11Setup) {
    Trace.Write(0x370, Entry.Register);
    const UINT32 Old = Trace.Read(0x371);
    Trace.Write(0x371, (Old & Entry.AndMask) | Entry.OrValue);
  }
  for (UINT8 Device : {0x03, 0x02}) {
    Trace.Write(0x370, 0x07);
    Trace.Write(0x371, Device);
    Trace.Write(0x370, 0x30);
    Trace.Read(0x371);
  }
  if (SerialSetupWritten) {
    for (const SuperIoWrite &Entry : kSerialSetup) {
      Trace.Write(0x370, Entry.Register);
      Trace.Write(0x371, Entry.Value);
    }
  }
}

class SerialConsole : public ::testing::Test {
 protected:
  VOID Reset(const BoardConfig &Config) { Hardware.Reset(Config); }

  VOID Run(const std::function<void()> &Body) {
    const auto Fault = Hardware.Run(Body, 20000);
    ASSERT_FALSE(Fault.has_value()) << vorq::emu::DescribeFault(*Fault);
  }

  // Brings the console up, then forgets the accesses so far.
  VOID InitConsole() {
    Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
    Hardware.Log().Clear();
    Hardware.Uart().ClearTransmitted();
  }

  UINTN Write(const std::string &Text) {
    UINTN Result = 0;
    Run([&] { Result = SerialConsoleWrite((const UINT8 *)Text.data(), Text.size()); });
    return Result;
  }

  std::vector<PortAccess> Entries() { return Hardware.Log().Entries(); }
  std::string Transmitted() {
    const std::vector<uint8_t> &Bytes = Hardware.Uart().Transmitted();
    return std::string(Bytes.begin(), Bytes.end());
  }

  ConsoleSettings Saved;
  vorq::emu::HostHardware Hardware;
};

TEST_F(SerialConsole, PlatformInitOpensTheDecodeWindowAndProgramsBothSuperIoTables) {
  Run([] { EXPECT_EQ(SerialPlatformInit(), EFI_SUCCESS); });
  PortTrace Trace(Entries());
  ExpectPlatformSequence(Trace, true);
  Trace.ExpectEnd();

  EXPECT_EQ(Hardware.Lpc().Read16(0x80), 0x1010);
  EXPECT_EQ(Hardware.Lpc().Read16(0x82), 0x040B);
  vorq::emu::SuperIo &Chip = Hardware.SuperIoChip();
  EXPECT_EQ(Chip.DeviceBase(0x11), 0x0CB0);
  EXPECT_EQ(Chip.DeviceRegister(0x11, 0xF0), 0x0E & 0xF9);  // bits 0x06 cleared, the rest kept
  EXPECT_TRUE(Chip.DeviceActive(0x11));
  EXPECT_EQ(Chip.DeviceBase(3), 0x3F8);
  EXPECT_EQ(Chip.DeviceRegister(3, 0x70), 4);
  EXPECT_TRUE(Chip.DeviceActive(3));
  EXPECT_EQ(Chip.DeviceBase(2), 0x2F8);
  EXPECT_EQ(Chip.DeviceRegister(2, 0x70), 3);
  EXPECT_TRUE(Chip.DeviceActive(2));
}

struct ActivationCase {
  const char *Name;
  UINT8 Serial1Activation;  // device 3
  UINT8 Serial2Activation;  // device 2
  bool SerialSetupWritten;
};

const ActivationCase kActivationCases[] = {
    {"NeitherActive", 0x00, 0x00, true},
    {"Serial1Active", 0x01, 0x00, false},
    {"Serial2Active", 0x00, 0x01, false},
    {"ThreeIsNotActive", 0x03, 0x03, true},
    {"AllOnesIsNotActive", 0xFF, 0xFF, true},
};

class SuperIoActivation : public SerialConsole, public ::testing::WithParamInterface<ActivationCase> {};

TEST_P(SuperIoActivation, AnActiveSerialDeviceStopsTheSecondTable) {
  const ActivationCase &Case = GetParam();
  BoardConfig Config;
  Config.lpc_decode = kLpcDecode;  // so that the test can preset the Super I/O
  Reset(Config);
  Run([&] {
    PortWrite8(0x370, 0x07), PortWrite8(0x371, 0x03), PortWrite8(0x370, 0x30), PortWrite8(0x371, Case.Serial1Activation);
    PortWrite8(0x370, 0x07), PortWrite8(0x371, 0x02), PortWrite8(0x370, 0x30), PortWrite8(0x371, Case.Serial2Activation);
  });
  Hardware.Log().Clear();

  Run([] { EXPECT_EQ(SerialPlatformInit(), EFI_SUCCESS); });
  PortTrace Trace(Entries());
  ExpectPlatformSequence(Trace, Case.SerialSetupWritten);
  Trace.ExpectEnd();
  const UINT8 Expected1 = Case.SerialSetupWritten ? 0x01 : Case.Serial1Activation;
  const UINT8 Expected2 = Case.SerialSetupWritten ? 0x01 : Case.Serial2Activation;
  EXPECT_EQ(Hardware.SuperIoChip().DeviceRegister(3, 0x30), Expected1);
  EXPECT_EQ(Hardware.SuperIoChip().DeviceRegister(2, 0x30), Expected2);
}

INSTANTIATE_TEST_SUITE_P(Cases, SuperIoActivation, ::testing::ValuesIn(kActivationCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

struct BaudCase {
  UINT8 Selection;  // CMOS register 0x6F
  UINT16 Divisor;
};

class CmosBaudRate : public SerialConsole, public ::testing::WithParamInterface<BaudCase> {};

TEST_P(CmosBaudRate, SelectsTheDivisor) {
  BoardConfig Config;
  Config.cmos_baud_selection = GetParam().Selection;
  Reset(Config);
  Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
  EXPECT_EQ(Hardware.Uart().Divisor(), GetParam().Divisor);
  EXPECT_EQ(Hardware.Uart().LineControl(), 0x03);
}

INSTANTIATE_TEST_SUITE_P(Rows, CmosBaudRate,
                         ::testing::Values(BaudCase{0x00, 1}, BaudCase{0x01, 1}, BaudCase{0x08, 1}, BaudCase{0xF9, 1},
                                           BaudCase{0x02, 2}, BaudCase{0xFA, 2}, BaudCase{0x04, 6},
                                           BaudCase{0x06, 12}, BaudCase{0xFF, 12}),
                         [](const auto &Info) {
                           char Name[32];
                           std::snprintf(Name, sizeof(Name), "Cmos%02XDivisor%u", Info.param.Selection,
                                         Info.param.Divisor);
                           return std::string(Name);
                         });

// The reads that decide whether the UART already runs as wanted, with the divisor latch
// opened and closed around the divisor read.
VOID ExpectProgrammedTest(PortTrace &Trace, UINT8 LineControl) {
  Trace.Read(kIir);
  Trace.Read(kLcr);
  EXPECT_EQ(Trace.Read(kLcr), LineControl);
  Trace.Write(kLcr, LineControl | 0x80);
  Trace.Read(kDlm);
  Trace.Read(kThr);
  EXPECT_EQ(Trace.Read(kLcr), LineControl | 0x80u);
  Trace.Write(kLcr, LineControl);
  Trace.Write(0x70, 0x6F);
  Trace.Read(0x71);
}

// The full programming, in its order: latch open, divisor high and low, line control, FIFO
// control, modem control 0.
VOID ExpectProgramming(PortTrace &Trace, UINT8 DivisorLow, UINT8 FifoControl) {
  Trace.Write(kLcr, 0x80);
  Trace.Write(kDlm, 0x00);
  Trace.Write(kThr, DivisorLow);
  Trace.Write(kLcr, 0x03);
  Trace.Write(kIir, FifoControl);
  Trace.Write(kMcr, 0x00);
}

TEST_F(SerialConsole, AlreadyProgrammedUartGetsOnlyTheTwoLatchToggles) {
  InitConsole();
  Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
  PortTrace Trace(Entries());
  ExpectPlatformSequence(Trace, false);  // device 3 is active now
  ExpectProgrammedTest(Trace, 0x03);
  Trace.ExpectEnd();
}

TEST_F(SerialConsole, DifferentDivisorIsProgrammedInOrderEndingWithModemControlZero) {
  InitConsole();
  Run([] { PortWrite8(kMcr, 0x0B); });
  Hardware.CmosRam().Reset(0x06);  // 9600 baud from now on
  Hardware.Log().Clear();

  Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
  PortTrace Trace(Entries());
  ExpectPlatformSequence(Trace, false);
  ExpectProgrammedTest(Trace, 0x03);
  ExpectProgramming(Trace, 0x0C, 0x07);
  Trace.ExpectEnd();
  EXPECT_EQ(Hardware.Uart().Divisor(), 12);
  EXPECT_EQ(Hardware.Uart().ModemControl(), 0);
}

TEST_F(SerialConsole, SettingsAreMaskedWhenWrittenAndWhenCompared) {
  PcdUartLineControl = 0xC3;  // only bits 0x3F count
  PcdUartFifoControl = 0xE7;  // bits 0x27 are written, bits 0x21 compared
  InitConsole();
  Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
  std::vector<PortAccess> Writes;
  for (const PortAccess &Access : UartAccesses(Entries())) {
    if (Access.is_write) {
      Writes.push_back(Access);
    }
  }
  ASSERT_EQ(Writes.size(), 2u) << "a programmed UART gets only the latch toggles";

  Hardware.Reset({});
  Run([] { EXPECT_EQ(SerialConsoleInit(), EFI_SUCCESS); });
  PortTrace Trace(Entries());
  ExpectPlatformSequence(Trace, true);
  ExpectProgrammedTest(Trace, 0x00);
  ExpectProgramming(Trace, 0x01, 0x27);
  Trace.ExpectEnd();
}

TEST_F(SerialConsole, FortyBytesGoOutInBurstsOf16And16And8) {
  BoardConfig Config;
  Config.uart.busy_reads = 2;  // the transmitter stays busy for two status reads after each byte
  Reset(Config);
  InitConsole();
  const std::string Text = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  ASSERT_EQ(Text.size(), 40u);
  EXPECT_EQ(Write(Text), 40u);
  EXPECT_EQ(Transmitted(), Text);

  PortTrace Trace(Entries());
  UINTN Sent = 0;
  for (UINTN Burst : {16, 16, 8}) {
    EXPECT_EQ(Trace.Read(kIir) & 0xC0, 0xC0u);
    if (Sent > 0) {
      EXPECT_EQ(Trace.Read(kLsr), 0u);
      EXPECT_EQ(Trace.Read(kLsr), 0u);
    }
    EXPECT_NE(Trace.Read(kLsr) & 0x40, 0u);
    for (UINTN Index = 0; Index < Burst; Index++) {
      Trace.Write(kThr, (UINT8)Text[Sent++]);
    }
  }
  Trace.ExpectEnd();
}

struct BurstCase {
  const char *Name;
  UINT8 FifoControl;
  UINTN Burst;
};

class BurstSize : public SerialConsole, public ::testing::WithParamInterface<BurstCase> {};

TEST_P(BurstSize, FollowsTheFifoSetting) {
  InitConsole();
  PcdUartFifoControl = GetParam().FifoControl;
  const std::string Text(70, '*');
  EXPECT_EQ(Write(Text), 70u);
  // The bytes sent after each wait for an empty transmitter.
  std::vector<UINTN> Bursts;
  for (const PortAccess &Access : Entries()) {
    if (!Access.is_write && Access.port == kLsr) {
      Bursts.push_back(0);
    } else if (Access.is_write && Access.port == kThr) {
      ASSERT_FALSE(Bursts.empty());
      Bursts.back()++;
    }
  }
  std::vector<UINTN> Expected(70 / GetParam().Burst, GetParam().Burst);
  if (70 % GetParam().Burst != 0) {
    Expected.push_back(70 % GetParam().Burst);
  }
  EXPECT_EQ(Bursts, Expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, BurstSize,
                         ::testing::Values(BurstCase{"Fifo16", 0x07, 16}, BurstCase{"Fifo64", 0x27, 64},
                                           BurstCase{"NoFifo", 0x06, 1}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(SerialConsole, NullBufferTouchesNoRegister) {
  InitConsole();
  Run([] { EXPECT_EQ(SerialConsoleWrite(NULL, 5), 0u); });
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SerialConsole, FlushWaitsForAnEmptyTransmitterAndReturnsZero) {
  BoardConfig Config;
  Config.uart.busy_reads = 3;
  Reset(Config);
  InitConsole();
  EXPECT_EQ(Write("x"), 1u);
  Hardware.Log().Clear();

  const UINT8 Byte = 'y';
  Run([&] { EXPECT_EQ(SerialConsoleWrite(&Byte, 0), 0u); });
  PortTrace Trace(Entries());
  for (int Busy = 0; Busy < 3; Busy++) {
    EXPECT_EQ(Trace.Read(kLsr), 0u);
  }
  EXPECT_NE(Trace.Read(kLsr) & 0x40, 0u);
  Trace.ExpectEnd();
  EXPECT_EQ(Transmitted(), "x");
}

TEST_F(SerialConsole, UartWithoutFifosMakesTheWriteReturnZero) {
  Run([] { SerialPlatformInit(); });  // the UART is reachable but not programmed: FIFOs off
  Hardware.Log().Clear();
  EXPECT_EQ(Write("abc"), 0u);
  PortTrace Trace(Entries());
  Trace.Read(kIir);
  Trace.ExpectEnd();
  EXPECT_EQ(Transmitted(), "");
}

TEST_F(SerialConsole, TransmitterThatNeverEmptiesEndsTheWriteWithZero) {
  BoardConfig Config;
  Config.uart.busy_reads = 1000000;
  Reset(Config);
  InitConsole();
  mSerialWaitPolls = 50;
  EXPECT_EQ(Write(std::string(17, 'z')), 0u);
  EXPECT_EQ(Transmitted(), std::string(16, 'z'));  // the first burst is on the wire
  UINTN StatusReads = 0;
  for (const PortAccess &Access : Entries()) {
    StatusReads += !Access.is_write && Access.port == kLsr;
  }
  EXPECT_EQ(StatusReads, 1u + 50u);
}

struct FlowCase {
  const char *Name;
  BOOLEAN CableDetect;
  UINT8 ModemStatus;
  BOOLEAN Writable;
};

const FlowCase kFlowCases[] = {
    {"NoCable", FALSE, 0x00, TRUE},
    {"ClearToSendOnly", FALSE, 0x10, TRUE},
    {"ReadyAndClearToSend", FALSE, 0x30, TRUE},
    {"ReadyButHoldingBack", FALSE, 0x20, FALSE},
    {"CableDetectNoCable", TRUE, 0x00, FALSE},
    {"CableDetectClearToSendOnly", TRUE, 0x10, FALSE},
    {"CableDetectHoldingBack", TRUE, 0x20, FALSE},
    {"CableDetectReadyAndClearToSend", TRUE, 0x30, TRUE},
    {"OtherModemBitsIgnored", TRUE, 0xFF, TRUE},
};

class FlowControl : public SerialConsole, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(FlowControl, ModemStatusDecidesWhetherToSend) {
  InitConsole();
  PcdUartFlowControl = TRUE;
  PcdUartCableDetect = GetParam().CableDetect;
  Hardware.Uart().SetModemStatus(GetParam().ModemStatus);
  const BOOLEAN Expected = GetParam().Writable;
  Run([=] { EXPECT_EQ(SerialConsoleWritable(), Expected); });
  PortTrace Trace(Entries());
  Trace.Read(kMsr);
  Trace.ExpectEnd();
}

INSTANTIATE_TEST_SUITE_P(Cases, FlowControl, ::testing::ValuesIn(kFlowCases),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(SerialConsole, WithoutFlowControlTheModemStatusIsNotRead) {
  InitConsole();
  Hardware.Uart().SetModemStatus(0x20);
  Run([] { EXPECT_TRUE(SerialConsoleWritable()); });
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(Write("ok"), 2u);
}

TEST_F(SerialConsole, FlowControlWaitsBeforeEveryByte) {
  InitConsole();
  PcdUartFlowControl = TRUE;
  EXPECT_EQ(Write("ab"), 2u);
  PortTrace Trace(Entries());
  Trace.Read(kIir);
  Trace.Read(kLsr);
  Trace.Read(kMsr);
  Trace.Write(kThr, 'a');
  Trace.Read(kMsr);
  Trace.Write(kThr, 'b');
  Trace.ExpectEnd();
}

TEST_F(SerialConsole, PeerThatNeverClearsToSendEndsTheWriteWithZero) {
  InitConsole();
  PcdUartFlowControl = TRUE;
  mSerialWaitPolls = 100;
  Hardware.Uart().SetModemStatus(0x20);
  EXPECT_EQ(Write("ab"), 0u);
  EXPECT_EQ(Transmitted(), "");
  UINTN ModemReads = 0;
  for (const PortAccess &Access : Entries()) {
    ModemReads += !Access.is_write && Access.port == kMsr;
  }
  EXPECT_EQ(ModemReads, 100u);
}

TEST_F(SerialConsole, PortModeUsesTheLow16BitsOfTheBase) {
  InitConsole();
  PcdUartBase = 0x12340000003F8ULL;
  Run([] {
    SerialRegisterWrite(7, 0x5A);
    EXPECT_EQ(SerialRegisterRead(7), 0x5A);
  });
  PortTrace Trace(Entries());
  Trace.Write(0x3FF, 0x5A);
  Trace.Read(0x3FF);
  Trace.ExpectEnd();
}

TEST_F(SerialConsole, MmioModeAddressesTheByteAtBasePlusOffset) {
  UINT8 Registers[8] = {0, 0, 0xC1, 0, 0, 0x60, 0x30, 0};
  PcdUartIsMmio = TRUE;
  PcdUartBase = (UINT64)(UINTN)Registers;
  Run([&] {
    SerialRegisterWrite(4, 0xA5);
    EXPECT_EQ(SerialRegisterRead(6), 0x30);
    EXPECT_EQ(SerialConsoleWrite((const UINT8 *)"xy", 2), 2u);
  });
  EXPECT_EQ(Registers[4], 0xA5);
  EXPECT_EQ(Registers[0], 'y');
  EXPECT_TRUE(Entries().empty()) << "no port was touched";
}

}  // namespace
