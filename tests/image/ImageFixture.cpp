#include "ImageFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "Guid/TscFrequencyTable.h"

using namespace vorq::emu;

EmulatorOptions BoardOptions() { return EmulatorOptions{}; }

ImageRun RunImage(const std::string &Image, const EmulatorOptions &Options,
                  const std::vector<std::pair<Bytes, Bytes>> &Calls,
                  const std::function<void(Emulator &)> &Prepare) {
  ImageRun Run;
  Emulator Board(Options);
  std::string Error;
  if (!Board.Start(&Error) || !Board.LoadImageFile(Image, &Error)) {
    ADD_FAILURE() << Image << ": " << Error;
    return Run;
  }
  Run.Entry = Board.RunEntry();
  if (Run.Entry.returned && Run.Entry.status == EFI_SUCCESS) {
    if (Prepare) Prepare(Board);
    for (const auto &[Data, Signature] : Calls) {
      Run.Calls.push_back(Board.Authenticate(Data, Signature));
    }
  }
  Run.Serial = Board.Devices().Uart().Transmitted();
  Run.Ports = Board.Devices().Log().Entries();
  const EFI_SYSTEM_TABLE *System = Board.ThePlatform().SystemTable();
  const EFI_GUID TscGuid = TSC_FREQUENCY_TABLE_GUID;
  Run.ConfigurationTables = System->NumberOfTableEntries;
  for (UINTN Index = 0; Index < System->NumberOfTableEntries; Index++) {
    if (std::memcmp(&System->ConfigurationTable[Index].VendorGuid, &TscGuid, sizeof(TscGuid)) == 0) {
      Run.TscTableHz = *static_cast<const std::uint64_t *>(System->ConfigurationTable[Index].VendorTable);
    }
  }
  Run.BootPoolBlocks = Board.ThePlatform().boot_pool.LiveBlocks().size();
  const std::uint8_t *Lpc = Board.Devices().Lpc().Space();
  std::memcpy(&Run.AcpiBaseRegister, Lpc + 0x40, 2);
  Run.AcpiControlRegister = Lpc[0x44];
  return Run;
}

const TestSigner &TestImageSigner() {
  static const TestSigner Signer = TestSigner::FromFile(VORQ_TEST_KEY);
  return Signer;
}

void ExpectCleanCall(const CallOutcome &Call) {
  EXPECT_TRUE(Call.located);
  EXPECT_TRUE(Call.returned) << Describe(Call);
  EXPECT_FALSE(Call.fault.has_value()) << Describe(Call);
  EXPECT_TRUE(Call.leaks.empty()) << Describe(Call);
  EXPECT_TRUE(Call.released.empty()) << Describe(Call);
  EXPECT_TRUE(Call.misuse.empty()) << Describe(Call);
  EXPECT_TRUE(Call.error.empty()) << Describe(Call);
}

std::string Describe(const CallOutcome &Call) {
  std::ostringstream Text;
  Text << "status 0x" << std::hex << Call.status << std::dec;
  if (!Call.error.empty()) Text << "; error: " << Call.error;
  if (Call.fault) Text << "; stopped by a fault";
  for (const auto &Leak : Call.leaks) Text << "; leak " << Leak.size << " bytes";
  for (const auto &Misuse : Call.misuse) Text << "; " << Misuse;
  return Text.str();
}
