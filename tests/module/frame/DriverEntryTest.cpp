// The image entry on the host build: the constructor list, the module entry under its jump
// context, the destructor on failure, and the settings that change the path. The board's
// devices (the serial console at position 1, the ACPI timer at position 8) are the emulator's
// models, in-process.
#include <gtest/gtest.h>

#include <algorithm>

#include "AssertionRecorder.h"
#include "FakePlatform.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/ModuleEntryPoint.h"
#include "Library/SmmServicesTableLib.h"
#include "Library/TscTimerLib.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Library/UefiRuntimeServicesTableLib.h"
#include "Library/VorqSmmExternalPointerCheckerLib.h"
#include "Protocol/SmmImageAuthentication.h"
#include "trap/HostHardware.h"

namespace {

constexpr EFI_GUID kAuthenticationGuid = SMM_IMAGE_AUTHENTICATION_PROTOCOL_GUID;
constexpr EFI_GUID kCheckerGuid = SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL_GUID;

BOOLEAN EFIAPI AcceptEverything(const VOID *, UINTN) { return FALSE; }
SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL kChecker = {AcceptEverything};

class DriverEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModuleGlobals();
    ASSERT_TRUE(Hardware.MapPcieWindow());
    Platform.InstallSmmProtocol(kCheckerGuid, &kChecker);
  }
  void TearDown() override {
    ResetModuleGlobals();
    MinimumSystemTableRevision = 0;
    ModuleUnloadCount = 0;
  }
  EFI_STATUS Enter() {
    EFI_STATUS Status = EFI_LOAD_ERROR;
    const auto Fault = Hardware.Run([&] { Status = ImageEntryPoint(ImageHandle, &Platform.SystemTable); });
    EXPECT_FALSE(Fault.has_value()) << "an access the board could not serve";
    return Status;
  }
  bool Installed() const {
    return std::any_of(Platform.SmmProtocols.begin(), Platform.SmmProtocols.end(),
                       [](const auto &Entry) { return SameGuid(Entry.Guid, kAuthenticationGuid); });
  }
  long CallsTo(const std::string &Name) const { return std::count(Platform.Calls.begin(), Platform.Calls.end(), Name); }

  vorq::emu::HostHardware Hardware;
  FakePlatform Platform;
  EFI_HANDLE ImageHandle = reinterpret_cast<EFI_HANDLE>(0x5000);
};

TEST_F(DriverEntry, SuccessfulEntryRunsEveryConstructorAndNoDestructor) {
  EXPECT_EQ(Enter(), EFI_SUCCESS);
  EXPECT_TRUE(Installed());
  EXPECT_EQ(gImageHandle, ImageHandle);
  EXPECT_EQ(gST, &Platform.SystemTable);
  EXPECT_EQ(gBS, &Platform.BootServices);
  EXPECT_EQ(gRT, &Platform.RuntimeServices);
  EXPECT_EQ(gSmst, &Platform.Smst);
  EXPECT_EQ(mExternalPointerChecker, &kChecker);
  EXPECT_NE(mTscTicksPerSecond, 0u);
  ASSERT_NE(mSmramRanges, nullptr);
  EXPECT_EQ(Platform.LiveSmmBlocks.count(mSmramRanges), 1u) << "the destructor did not run";
  EXPECT_EQ(CallsTo("HandleProtocol"), 0) << "no unload handler is registered";
  EXPECT_FALSE(Hardware.Log().Entries().empty()) << "the serial console was brought up";
}

// A failing module entry makes the entry point run the destructor once and return exactly
// the entry's own status, never the initial EFI_LOAD_ERROR.
TEST_F(DriverEntry, FailingModuleEntryRunsTheDestructorOnceAndReturnsItsStatus) {
  for (const EFI_STATUS Failure : {EFI_OUT_OF_RESOURCES, EFI_INVALID_PARAMETER}) {
    SCOPED_TRACE(Failure);
    FakePlatform Local;
    Local.InstallSmmProtocol(kCheckerGuid, &kChecker);
    Local.InstallProtocolStatus = Failure;
    ResetModuleGlobals();
    EFI_STATUS Status = 0;
    Hardware.Run([&] { Status = ImageEntryPoint(ImageHandle, &Local.SystemTable); });
    EXPECT_EQ(Status, Failure);
    EXPECT_EQ(std::count(Local.Calls.begin(), Local.Calls.end(), "SmmFreePool"), 1);
    EXPECT_TRUE(Local.LiveSmmBlocks.empty()) << "the SMRAM array is released";
    EXPECT_TRUE(Local.Faults.empty());
  }
}

// A failing constructor is asserted at its AutoGen line and stops nothing: the later
// constructors and the module entry still run.
TEST_F(DriverEntry, FailingConstructorsStopNeitherTheListNorTheEntry) {
  FakePlatform Local;  // no checker installed, no SMM Access2
  Local.SmmAccess2Present = false;
  AssertionsEnabled Reports;
  EFI_STATUS Status = EFI_LOAD_ERROR;
  Hardware.Run([&] { Status = ImageEntryPoint(ImageHandle, &Local.SystemTable); });
  EXPECT_EQ(Status, EFI_SUCCESS);
  EXPECT_TRUE(std::any_of(Local.SmmProtocols.begin(), Local.SmmProtocols.end(),
                          [](const auto &Entry) { return SameGuid(Entry.Guid, kAuthenticationGuid); }));
  EXPECT_NE(mTscTicksPerSecond, 0u) << "position 8 ran after the failures";
  const std::vector<RecordedAssertion> Expected = {
      {"MdePkg/Library/SmmMemoryAllocationLib/MemoryAllocationLib", 70, "!EFI_ERROR (Status)"},
      {"Library/VorqSmmExternalPointerCheckerLib/VorqSmmExternalPointerCheckerLib", 76, "!EFI_ERROR (Status)"},
      {"AutoGen", 304, "!EFI_ERROR (Status)"},
  };
  EXPECT_EQ(RecordedAssertions(), Expected);
}

// When the boot-services buffer for the TSC table cannot be had, the measured value stays in
// the module's own copy and nothing is installed.
TEST_F(DriverEntry, FailedTscBufferKeepsOnlyTheModulesCopy) {
  Platform.FailBootAllocation = true;
  EXPECT_EQ(Enter(), EFI_SUCCESS);
  EXPECT_NE(mTscTicksPerSecond, 0u);
  EXPECT_TRUE(Platform.ConfigurationTables.empty());
  EXPECT_EQ(CallsTo("InstallConfigurationTable"), 0);
}

TEST_F(DriverEntry, RevisionBelowTheMinimumRunsNothing) {
  Platform.SystemTable.Hdr.Revision = 0x00020046;
  const struct {
    UINT32 Minimum;
    EFI_STATUS Expected;
  } Rows[] = {{0, EFI_SUCCESS}, {0x00020046, EFI_SUCCESS}, {0x00020047, EFI_INCOMPATIBLE_VERSION}};
  for (const auto &Row : Rows) {
    SCOPED_TRACE(Row.Minimum);
    MinimumSystemTableRevision = Row.Minimum;
    Platform.Calls.clear();
    Hardware.Log().Clear();
    ResetModuleGlobals();
    EXPECT_EQ(Enter(), Row.Expected);
    if (Row.Expected == EFI_INCOMPATIBLE_VERSION) {
      EXPECT_TRUE(Platform.Calls.empty()) << "no constructor, entry or destructor ran";
      EXPECT_TRUE(Hardware.Log().Entries().empty());
      EXPECT_EQ(gST, nullptr);
    }
  }
}

// With unload routines the Loaded Image protocol is asked for; when it cannot be had, no
// handler is registered and the load goes on.
TEST_F(DriverEntry, NonZeroUnloadCountAsksForTheLoadedImage) {
  ModuleUnloadCount = 1;
  AssertionsEnabled Reports;
  EXPECT_EQ(Enter(), EFI_SUCCESS);
  EXPECT_EQ(CallsTo("HandleProtocol"), 1);
  ASSERT_EQ(RecordedAssertions().size(), 1u);
  EXPECT_EQ(RecordedAssertions()[0],
            (RecordedAssertion{"MdePkg/Library/UefiDriverEntryPoint/DriverEntryPoint", 126, "!EFI_ERROR (Status)"}));
}

TEST_F(DriverEntry, OutsideSmmTheSmstStaysNull) {
  Platform.InSmm = false;
  EXPECT_EQ(InitSmmServicesTable(ImageHandle, &Platform.SystemTable), EFI_SUCCESS);
  EXPECT_EQ(mInternalSmmBase2, &Platform.SmmBase2);
  EXPECT_EQ(gSmst, nullptr);
}

// Without the SMM Base2 protocol there is nothing to ask; the constructor reports the lookup
// and leaves the SMST unset instead of calling through a missing protocol.
TEST_F(DriverEntry, MissingSmmBase2LeavesTheSmstNull) {
  Platform.SmmBase2Present = false;
  AssertionsEnabled Reports;
  EXPECT_EQ(InitSmmServicesTable(ImageHandle, &Platform.SystemTable), EFI_SUCCESS);
  EXPECT_EQ(gSmst, nullptr);
  ASSERT_EQ(RecordedAssertions().size(), 2u);
  EXPECT_EQ(RecordedAssertions()[0].Line, 51u);
  EXPECT_EQ(RecordedAssertions()[1],
            (RecordedAssertion{"MdePkg/Library/SmmServicesTableLib/SmmServicesTableLib", 52,
                               "mInternalSmmBase2 != ((void *) 0)"}));
}

}  // namespace
