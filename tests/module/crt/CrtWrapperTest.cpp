// The crypto library's runtime inside SMM: memory from the SMM pool, the quicksort, the
// clock, the stream print and the stop request.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "AssertionRecorder.h"
#include "CrtWrapper.h"
#include "FakePlatform.h"

namespace {

class CrtWrapper : public ::testing::Test {
 protected:
  FakePlatform Platform;
  ModuleTablesBound Tables{Platform};
  size_t BlocksAtStart = Platform.LiveSmmBlocks.size();
};

TEST_F(CrtWrapper, MallocAndFreeUseTheSmmPool) {
  void *Block = VorqCrt_malloc(100);
  ASSERT_NE(Block, nullptr);
  EXPECT_TRUE(Platform.InArena(Block));
  EXPECT_EQ(Platform.LiveSmmBlocks.size(), BlocksAtStart + 1);
  VorqCrt_free(Block);
  VorqCrt_free(nullptr);
  EXPECT_EQ(Platform.LiveSmmBlocks.size(), BlocksAtStart);
  EXPECT_TRUE(Platform.Faults.empty());
}

TEST_F(CrtWrapper, MallocOnAnExhaustedPoolAndAnOverflowingSizeGiveNull) {
  Platform.FailSmmAllocation = 1;
  EXPECT_EQ(VorqCrt_malloc(16), nullptr);
  EXPECT_EQ(VorqCrt_malloc(~0ULL - 4), nullptr);
}

TEST_F(CrtWrapper, ReallocOfNullIsAZeroFilledBlock) {
  auto *Block = static_cast<unsigned char *>(VorqCrt_realloc(nullptr, 16));
  ASSERT_NE(Block, nullptr);
  for (int Index = 0; Index < 16; Index++) EXPECT_EQ(Block[Index], 0);
  VorqCrt_free(Block);
}

// The old block's own size bounds the copy: growing a 16-byte block never reads past it.
TEST_F(CrtWrapper, ReallocKeepsTheSmallerSizeAndReleasesTheOldBlock) {
  const struct {
    size_t From, To;
  } Rows[] = {{32, 16}, {16, 32}, {1, 4096}};
  for (const auto &Row : Rows) {
    SCOPED_TRACE(testing::Message() << Row.From << " -> " << Row.To);
    auto *Old = static_cast<unsigned char *>(VorqCrt_malloc(Row.From));
    for (size_t Index = 0; Index < Row.From; Index++) Old[Index] = static_cast<unsigned char>(Index + 1);
    // Bytes just past the old block, which a copy of the new size would take.
    std::memset(Old + Row.From, 0xEE, 8);
    auto *New = static_cast<unsigned char *>(VorqCrt_realloc(Old, Row.To));
    ASSERT_NE(New, nullptr);
    for (size_t Index = 0; Index < Row.To; Index++) {
      EXPECT_EQ(New[Index], Index < Row.From ? Index + 1 : 0) << Index;
    }
    VorqCrt_free(New);
  }
  EXPECT_EQ(Platform.LiveSmmBlocks.size(), BlocksAtStart);
  EXPECT_TRUE(Platform.Faults.empty());
}

TEST_F(CrtWrapper, FailedReallocLeavesTheOldBlockWithItsBytes) {
  auto *Old = static_cast<char *>(VorqCrt_malloc(6));
  std::memcpy(Old, "bytes", 6);
  Platform.FailSmmAllocation = Platform.SmmAllocations + 1;
  EXPECT_EQ(VorqCrt_realloc(Old, 600), nullptr);
  EXPECT_STREQ(Old, "bytes");
  VorqCrt_free(Old);
  EXPECT_EQ(Platform.LiveSmmBlocks.size(), BlocksAtStart);
}

struct SortRun {
  static inline std::vector<std::pair<int, int>> Comparisons;
  static int Compare(const void *First, const void *Second) {
    const int A = *static_cast<const int *>(First);
    const int B = *static_cast<const int *>(Second);
    Comparisons.emplace_back(A, B);
    return A < B ? -1 : (A > B ? 1 : 0);
  }
};

TEST_F(CrtWrapper, QsortComparesElementAgainstPivot) {
  const struct {
    std::vector<int> Input;
    std::vector<int> Sorted;
    std::vector<std::pair<int, int>> Comparisons;
  } Rows[] = {
      {{}, {}, {}},
      {{7}, {7}, {}},
      {{3, 1, 2}, {1, 2, 3}, {{3, 2}, {1, 2}}},
      {{5, 5}, {5, 5}, {{5, 5}}},
  };
  for (const auto &Row : Rows) {
    std::vector<int> Data = Row.Input;
    SortRun::Comparisons.clear();
    const unsigned AllocationsBefore = Platform.SmmAllocations;
    VorqCrt_qsort(Data.empty() ? reinterpret_cast<void *>(8) : Data.data(), Data.size(), sizeof(int),
                  SortRun::Compare);
    EXPECT_EQ(Data, Row.Sorted);
    EXPECT_EQ(SortRun::Comparisons, Row.Comparisons);
    // The scratch element is taken and given back even when there is nothing to sort.
    EXPECT_EQ(Platform.SmmAllocations, AllocationsBefore + 1);
    EXPECT_EQ(Platform.LiveSmmBlocks.size(), BlocksAtStart);
  }
}

TEST_F(CrtWrapper, QsortOfAnArrayInOrderMakesNTimesNMinusOneHalvesComparisons) {
  std::vector<int> Data(50);
  for (int Index = 0; Index < 50; Index++) Data[Index] = Index;
  SortRun::Comparisons.clear();
  VorqCrt_qsort(Data.data(), Data.size(), sizeof(int), SortRun::Compare);
  EXPECT_EQ(SortRun::Comparisons.size(), 50u * 49u / 2u);
}

// Without a scratch element the sort still sorts, swapping in place, and the failed
// allocation is asserted.
TEST_F(CrtWrapper, QsortWithoutScratchElementStillSorts) {
  std::vector<int> Data = {9, 4, 7, 1, 8, 2};
  Platform.FailSmmAllocation = Platform.SmmAllocations + 1;
  AssertionsEnabled Reports;
  VorqCrt_qsort(Data.data(), Data.size(), sizeof(int), SortRun::Compare);
  EXPECT_EQ(Data, (std::vector<int>{1, 2, 4, 7, 8, 9}));
  ASSERT_GE(RecordedAssertions().size(), 1u);
  EXPECT_EQ(RecordedAssertions()[0],
            (RecordedAssertion{"CryptoPkg/Library/BaseCryptLib/SysCall/CrtWrapper", 251, "Buffer != ((void *) 0)"}));
}

TEST_F(CrtWrapper, QsortArgumentAssertions) {
  AssertionsEnabled Reports;
  int One = 1;
  VorqCrt_qsort(&One, 1, sizeof(int), nullptr);
  ASSERT_GE(RecordedAssertions().size(), 1u);
  EXPECT_EQ(RecordedAssertions()[0].Line, 245u);
  EXPECT_EQ(RecordedAssertions()[0].Text, "compare != ((void *) 0)");
}

TEST(CrtClock, TimeReadsZeroAndLeavesZeroBehind) {
  CRT_TIME Value = 12345;
  EXPECT_EQ(VorqCrt_time(&Value), 0);
  EXPECT_EQ(Value, 0);
  EXPECT_EQ(VorqCrt_time(nullptr), 0);
}

int CallVfprintf(const char *Format, ...) {
  va_list Arguments;
  va_start(Arguments, Format);
  const int Result = VorqCrt_vfprintf(nullptr, Format, Arguments);
  va_end(Arguments);
  return Result;
}

TEST(CrtStream, VfprintfPrintsNothing) {
  EXPECT_EQ(CallVfprintf("%s(%d): OpenSSL internal error, assertion failed: %s\n", "x", 1, "y"), 0);
  EXPECT_EQ(CallVfprintf("%n"), 0);  // no argument is read
}

TEST(CrtStop, AbortOnlyAsserts) {
  {
    AssertionsEnabled Reports;
    VorqCrt_abort();
    ASSERT_EQ(RecordedAssertions().size(), 1u);
    EXPECT_EQ(RecordedAssertions()[0], (RecordedAssertion{"CryptoPkg/Library/OpensslLib/openssl-0.9.8zf/crypto/cryptlib",
                                                          585, "((BOOLEAN)(0==1))"}));
  }
  ClearRecordedAssertions();
  VorqCrt_abort();  // assertions off: nothing at all
  EXPECT_TRUE(RecordedAssertions().empty());
}

}  // namespace
