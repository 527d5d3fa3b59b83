// Reading the SMRAM map, and the membership test that routes every free.
#include <gtest/gtest.h>

#include "AssertionRecorder.h"
#include "FakePlatform.h"
#include "Library/MemoryAllocationLib.h"

namespace {

constexpr UINT64 kStart = 0x7F000000;
constexpr UINT64 kSize = 0x100000;

class SmramRanges : public ::testing::Test {
 protected:
  FakePlatform Platform;
};

TEST_F(SmramRanges, BoundsAreInclusiveBelowAndExclusiveAbove) {
  Platform.SmramMap = {{kStart, kStart, kSize, 0}, {0x90000000, 0x90000000, 0, 0}};
  ModuleTablesBound Tables(Platform);
  ASSERT_EQ(mSmramRangeEntries, 2u);
  const struct {
    UINT64 Address;
    BOOLEAN Inside;
  } Rows[] = {
      {kStart - 1, FALSE}, {kStart, TRUE}, {kStart + kSize - 1, TRUE}, {kStart + kSize, FALSE},
      {0x90000000, FALSE},  // a range of size 0 never matches
      {0, FALSE},
  };
  for (const auto &Row : Rows) {
    EXPECT_EQ(IsBufferInSmram(reinterpret_cast<const VOID *>(Row.Address)), Row.Inside) << std::hex << Row.Address;
  }
}

TEST_F(SmramRanges, RangeEndWrapsModulo2To64) {
  Platform.SmramMap = {{0xFFFFFFFFFFFFF000ULL, 0xFFFFFFFFFFFFF000ULL, 0x2000, 0}};
  ModuleTablesBound Tables(Platform);
  // The end wraps to 0x1000, below the start: nothing is inside.
  EXPECT_FALSE(IsBufferInSmram(reinterpret_cast<const VOID *>(0xFFFFFFFFFFFFF800ULL)));
}

TEST_F(SmramRanges, ReportedSizeRemainderIsDropped) {
  Platform.SmramMap = {{kStart, kStart, kSize, 0}, {kStart + kSize, kStart + kSize, kSize, 0}};
  Platform.ReportedMapSize = 70;
  ModuleTablesBound Tables(Platform);
  EXPECT_EQ(mSmramRangeEntries, 2u);
}

TEST_F(SmramRanges, ArrayComesFromTheSmmPoolAndTheDestructorFreesIt) {
  ModuleTablesBound Tables(Platform, false);
  ASSERT_EQ(InitSmramRanges(NULL, NULL), EFI_SUCCESS);
  ASSERT_NE(mSmramRanges, nullptr);
  EXPECT_TRUE(Platform.InArena(mSmramRanges));
  EXPECT_EQ(Platform.LiveSmmBlocks.size(), 1u);
  ASSERT_EQ(ReleaseSmramRanges(NULL, NULL), EFI_SUCCESS);
  EXPECT_TRUE(Platform.LiveSmmBlocks.empty());
  EXPECT_TRUE(Platform.Faults.empty());
  mSmramRanges = nullptr;
}

// Whatever goes wrong while the map is read, the count stays 0 and nothing is called through
// a missing protocol; the failures are asserted at their lines.
TEST_F(SmramRanges, FailuresLeaveNoRangesAndAreAsserted) {
  const struct {
    const char *Name;
    bool AccessPresent;
    unsigned FailAllocation;
    std::vector<unsigned long long> Lines;
  } Rows[] = {
      {"no SMM Access2 protocol", false, 0, {70}},
      {"array allocation fails", true, 1, {80}},
  };
  for (const auto &Row : Rows) {
    SCOPED_TRACE(Row.Name);
    FakePlatform Local;
    Local.SmmAccess2Present = Row.AccessPresent;
    ModuleTablesBound Tables(Local, false);
    Local.FailSmmAllocation = Row.FailAllocation;
    AssertionsEnabled Reports;
    EXPECT_EQ(InitSmramRanges(NULL, NULL), EFI_SUCCESS);
    EXPECT_EQ(mSmramRangeEntries, 0u);
    std::vector<unsigned long long> Lines;
    for (const auto &Report : RecordedAssertions()) {
      EXPECT_EQ(Report.File, "MdePkg/Library/SmmMemoryAllocationLib/MemoryAllocationLib");
      Lines.push_back(Report.Line);
    }
    EXPECT_EQ(Lines, Row.Lines);
  }
}

TEST_F(SmramRanges, ProbeThatDoesNotAnswerBufferTooSmallIsAsserted) {
  Platform.SmramMap.clear();
  ModuleTablesBound Tables(Platform, false);
  AssertionsEnabled Reports;
  InitSmramRanges(NULL, NULL);
  ASSERT_FALSE(RecordedAssertions().empty());
  EXPECT_EQ(RecordedAssertions()[0].Line, 77u);
  EXPECT_EQ(RecordedAssertions()[0].Text, "Status == ((RETURN_STATUS)(0x8000000000000000ULL | (5)))");
  EXPECT_EQ(mSmramRangeEntries, 0u);
}

}  // namespace
