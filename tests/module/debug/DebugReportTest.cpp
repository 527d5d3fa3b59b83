// Debug reporting end to end on the host: the two assertion forms, the real ReportAssertion
// and EmitDebugMessage, the print engine and the serial console, with the bytes read back
// from the emulator's UART.
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "ConsoleTestSupport.h"
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/SerialPortLib.h"

ASSERT_SOURCE("Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib");

namespace {

const std::string kStatusLine = "ASSERT Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib(76): "
                                "!EFI_ERROR (Status)\r\n";

// Counts its evaluations and always fails.
int gEvaluations = 0;
bool FailingCondition() {
  gEvaluations++;
  return false;
}

class DebugReport : public ::testing::Test {
 protected:
  DebugReport() : SavedMask(PcdDebugControlMask), SavedLevel(PcdDebugMessageLevel) {
    Run([] { EXPECT_EQ(InitDebugLibrary(), EFI_SUCCESS); });
    Hardware.Log().Clear();
    Hardware.Uart().ClearTransmitted();
    gEvaluations = 0;
  }
  ~DebugReport() override {
    PcdDebugControlMask = SavedMask;
    PcdDebugMessageLevel = SavedLevel;
  }

  VOID Set(UINT8 Mask, UINT32 Level) {
    PcdDebugControlMask = Mask;
    PcdDebugMessageLevel = Level;
  }

  VOID Run(const std::function<void()> &Body) {
    const auto Fault = Hardware.Run(Body, 20000);
    ASSERT_FALSE(Fault.has_value()) << vorq::emu::DescribeFault(*Fault);
  }

  std::string Transmitted() {
    const std::vector<uint8_t> &Bytes = Hardware.Uart().Transmitted();
    return std::string(Bytes.begin(), Bytes.end());
  }

  // One false ASSERT at line 12 and one ASSERT_EFI_ERROR at line 76; returns the output.
  std::string ReportBoth(EFI_STATUS Status) {
    Run([=] {
      ASSERT(12, FailingCondition());
      ASSERT_EFI_ERROR(76, Status);
    });
    return Transmitted();
  }

  UINT8 SavedMask;
  UINT32 SavedLevel;
  ConsoleSettings Saved;
  vorq::emu::HostHardware Hardware;
};

TEST_F(DebugReport, InitDebugLibraryProgramsTheConsole) {
  EXPECT_EQ(Hardware.Uart().Divisor(), 1);
  EXPECT_EQ(Hardware.Uart().LineControl(), 0x03);
}

TEST_F(DebugReport, MaskZeroEvaluatesNothingAndPrintsNothing) {
  Set(0x00, 0x80000000);
  EXPECT_EQ(ReportBoth(EFI_NOT_FOUND), "");
  EXPECT_EQ(gEvaluations, 0);
  EXPECT_TRUE(Hardware.Log().Entries().empty());
}

TEST_F(DebugReport, AssertionsOnlyPrintTheAssertLinesWithoutTheStatusLine) {
  Set(0x01, 0x80000000);
  EXPECT_EQ(ReportBoth(EFI_NOT_FOUND),
            "ASSERT Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib(12): "
            "FailingCondition()\r\n" +
                kStatusLine);
  EXPECT_EQ(gEvaluations, 1);
}

TEST_F(DebugReport, MessagesOnButLevelZeroPrintsOnlyTheAssertLine) {
  Set(0x03, 0);
  Run([] { ASSERT_EFI_ERROR(76, EFI_NOT_FOUND); });
  EXPECT_EQ(Transmitted(), kStatusLine);
}

TEST_F(DebugReport, ErrorLevelPrintsTheStatusNameLineFirst) {
  Set(0x03, 0x80000000);
  Run([] { ASSERT_EFI_ERROR(76, EFI_OUT_OF_RESOURCES); });
  EXPECT_EQ(Transmitted(), "\r\nASSERT_EFI_ERROR (Status = Out of Resources)\r\n" + kStatusLine);
}

TEST_F(DebugReport, SuccessAndWarningsAreSilent) {
  Set(0x03, 0x80000000);
  Run([] {
    ASSERT_EFI_ERROR(76, EFI_SUCCESS);
    ASSERT_EFI_ERROR(76, EFI_WARN_BUFFER_TOO_SMALL);
  });
  EXPECT_EQ(Transmitted(), "");
}

struct LevelCase {
  const char *Name;
  UINT32 Setting;
  UINTN Level;
  bool Printed;
};

class MessageLevel : public DebugReport, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(MessageLevel, PrintsWhenTheLevelSharesABitWithTheSetting) {
  Set(0x03, GetParam().Setting);
  const UINTN Level = GetParam().Level;
  Run([=] { EmitDebugMessage(Level, "m%d\n", (UINTN)7); });
  EXPECT_EQ(Transmitted(), GetParam().Printed ? "m7\r\n" : "");
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageLevel,
                         ::testing::Values(LevelCase{"ErrorLevelOn", 0x80000000, 0x80000000, true},
                                           LevelCase{"SettingZero", 0, 0x80000000, false},
                                           LevelCase{"OtherLevel", 0x80000000, 0x40, false},
                                           LevelCase{"AnySharedBit", 0x80000041, 0x41, true},
                                           LevelCase{"SettingWidenedWithZeros", 0xFFFFFFFF, 0x100000000ULL, false}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(DebugReport, NullMessageFormatIsReportedAndNotFormatted) {
  Set(0x03, 0x80000000);
  Run([] { EmitDebugMessage(DebugLevelError, NULL); });
  EXPECT_EQ(Transmitted(), "ASSERT MdePkg/Library/BaseDebugLibSerialPort/DebugLib(79): Format != ((void *) 0)\r\n");
}

// Long reports are cut at 255 characters, so the line end is lost or only its CR fits.
struct LongLineCase {
  const char *Name;
  UINTN DescriptionLength;
  const char *Ending;
};

class LongReport : public DebugReport, public ::testing::WithParamInterface<LongLineCase> {};

TEST_P(LongReport, KeepsTheFirst255Characters) {
  Set(0x01, 0);
  const std::string Description(GetParam().DescriptionLength, 'd');
  Run([&] { ReportAssertion("F", 1, Description.c_str()); });
  const std::string Full = "ASSERT F(1): " + Description + "\r\n";
  const std::string Output = Transmitted();
  EXPECT_EQ(Output, Full.substr(0, 255));
  EXPECT_EQ(Output.substr(Output.size() - 2), GetParam().Ending);
}

INSTANTIATE_TEST_SUITE_P(Cases, LongReport,
                         ::testing::Values(LongLineCase{"FitsExactly", 240, "\r\n"},
                                           LongLineCase{"OnlyTheCrFits", 241, "d\r"},
                                           LongLineCase{"NoLineEnd", 300, "dd"}),
                         [](const auto &Info) { return std::string(Info.param.Name); });

TEST_F(DebugReport, BreakpointBitStopsOnceAndSkipsTheHalt) {
  Set(0x31, 0);
  Run([] { ReportAssertion("F", 2, "c"); });  // a halt would end the run with a timeout
  EXPECT_EQ(Transmitted(), "ASSERT F(2): c\r\n");
  ASSERT_EQ(vorq::emu::Breakpoints().size(), 1u);
  const UINT64 Breakpoint = vorq::emu::Breakpoints()[0];
  const UINT64 Routine = (UINT64)(UINTN)&BreakToDebugger;
  EXPECT_TRUE(Breakpoint >= Routine && Breakpoint < Routine + 32) << "int3 outside BreakToDebugger";
}

// A debugger for HaltForever: a signal stops the halted thread, and when it stands inside
// HaltForever the handler writes a nonzero loop index. HaltForever is a leaf routine, so its
// only local, the volatile index, lives in the 128-byte area below the stack pointer; the
// handler writes every word there.
std::atomic<bool> gReleased{false};
std::atomic<bool> gSawHalt{false};

void ReleaseHalt(int, siginfo_t *, void *Context) {
  auto *Registers = static_cast<ucontext_t *>(Context)->uc_mcontext.gregs;
  const UINT64 Rip = (UINT64)Registers[REG_RIP];
  const UINT64 Routine = (UINT64)(UINTN)&HaltForever;
  if (Rip < Routine || Rip >= Routine + 64) {
    return;
  }
  gSawHalt = true;
  auto *Below = reinterpret_cast<volatile UINT64 *>((UINTN)Registers[REG_RSP] - 128);
  for (int Index = 0; Index < 16; Index++) {
    Below[Index] = 1;
  }
  gReleased = true;
}

TEST_F(DebugReport, HaltBitLoopsUntilTheIndexIsWritten) {
  struct sigaction Action = {};
  Action.sa_sigaction = ReleaseHalt;
  Action.sa_flags = SA_SIGINFO;
  struct sigaction Previous;
  ASSERT_EQ(sigaction(SIGUSR1, &Action, &Previous), 0);
  gReleased = false;
  gSawHalt = false;

  Set(0x21, 0);
  const pthread_t Halted = pthread_self();
  std::atomic<bool> Returned{false};
  std::thread Debugger([&] {
    // Knock until the reporting thread is found inside HaltForever and released.
    while (!Returned) {
      pthread_kill(Halted, SIGUSR1);
      usleep(2000);
    }
  });
  Run([] { ReportAssertion("F", 3, "c"); });
  Returned = true;
  Debugger.join();
  sigaction(SIGUSR1, &Previous, nullptr);

  EXPECT_TRUE(gSawHalt);
  EXPECT_TRUE(gReleased);
  EXPECT_EQ(Transmitted(), "ASSERT F(3): c\r\n");
  EXPECT_TRUE(vorq::emu::Breakpoints().empty());
}

// A string bound shorter than a report line makes the line's own formatting and measuring
// assert; those nested reports are dropped, so the report ends, once, instead of recursing.
TEST_F(DebugReport, StringBoundShorterThanTheLineDoesNotRecurse) {
  const UINT32 SavedBound = PcdMaximumAsciiStringLength;
  PcdMaximumAsciiStringLength = 10;
  Set(0x01, 0);
  Run([] { ReportAssertion("MdePkg/Library/BaseLib/String", 1224, "a condition longer than ten"); });
  PcdMaximumAsciiStringLength = SavedBound;
  EXPECT_EQ(Transmitted(), "ASSERT MdePkg/Library/BaseLib/String(1224): a condition longer than ten\r\n");
  // The next report goes out as usual.
  Hardware.Uart().ClearTransmitted();
  Run([] { ReportAssertion("F", 3, "c"); });
  EXPECT_EQ(Transmitted(), "ASSERT F(3): c\r\n");
}

}  // namespace
