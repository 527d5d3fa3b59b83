// Allocation, reallocation and the freeing that sends each buffer back to its own pool.
#include <gtest/gtest.h>

#include <cstring>

#include "AssertionRecorder.h"
#include "FakePlatform.h"
#include "Library/MemoryAllocationLib.h"

namespace {

class Pool : public ::testing::Test {
 protected:
  FakePlatform Platform;
  ModuleTablesBound Tables{Platform};
};

TEST_F(Pool, AllocatesRuntimeServicesDataInSmram) {
  VOID *Buffer = SmmPoolAllocate(40);
  ASSERT_NE(Buffer, nullptr);
  EXPECT_TRUE(IsBufferInSmram(Buffer));
  ASSERT_EQ(Platform.LiveSmmBlocks.count(Buffer), 1u);
  EXPECT_EQ(Platform.LiveSmmBlocks[Buffer].Type, EfiRuntimeServicesData);
  SmmPoolFree(Buffer);
  EXPECT_EQ(Platform.LiveSmmBlocks.count(Buffer), 0u);
  EXPECT_TRUE(Platform.Faults.empty());
}

TEST_F(Pool, FailedServiceGivesNullEvenWhenItStoredAPointer) {
  Platform.FailSmmAllocation = 1;
  Platform.StoreOnFailure = true;
  EXPECT_EQ(SmmPoolAllocate(16), nullptr);
}

TEST_F(Pool, ReallocateFromNullIsAZeroFilledBufferAndFreesNothing) {
  UINT8 *Buffer = static_cast<UINT8 *>(SmmPoolReallocate(0, 16, NULL));
  ASSERT_NE(Buffer, nullptr);
  for (int Index = 0; Index < 16; Index++) EXPECT_EQ(Buffer[Index], 0);
  EXPECT_EQ(std::count(Platform.Calls.begin(), Platform.Calls.end(), "SmmFreePool"), 0);
  SmmPoolFree(Buffer);
}

TEST_F(Pool, ReallocateGrowsAndShrinksCopyingTheSmallerSize) {
  const struct {
    UINTN OldSize, NewSize;
  } Rows[] = {{16, 32}, {32, 16}, {8, 8}};
  for (const auto &Row : Rows) {
    SCOPED_TRACE(testing::Message() << Row.OldSize << " -> " << Row.NewSize);
    UINT8 *Old = static_cast<UINT8 *>(SmmPoolAllocate(Row.OldSize));
    for (UINTN Index = 0; Index < Row.OldSize; Index++) Old[Index] = static_cast<UINT8>(0xA0 + Index);
    UINT8 *New = static_cast<UINT8 *>(SmmPoolReallocate(Row.OldSize, Row.NewSize, Old));
    ASSERT_NE(New, nullptr);
    for (UINTN Index = 0; Index < Row.NewSize; Index++) {
      EXPECT_EQ(New[Index], Index < Row.OldSize ? 0xA0 + Index : 0) << Index;
    }
    EXPECT_EQ(Platform.LiveSmmBlocks.count(Old), 0u) << "the old buffer is released";
    SmmPoolFree(New);
  }
  EXPECT_TRUE(Platform.LiveSmmBlocks.empty() || Platform.LiveSmmBlocks.size() == 1);  // the map array
  EXPECT_TRUE(Platform.Faults.empty());
}

TEST_F(Pool, FailedReallocateLeavesTheOldBufferIntact) {
  UINT8 *Old = static_cast<UINT8 *>(SmmPoolAllocate(8));
  std::memcpy(Old, "ABCDEFG", 8);
  Platform.FailSmmAllocation = Platform.SmmAllocations + 1;
  EXPECT_EQ(SmmPoolReallocate(8, 64, Old), nullptr);
  ASSERT_EQ(Platform.LiveSmmBlocks.count(Old), 1u);
  EXPECT_STREQ(reinterpret_cast<char *>(Old), "ABCDEFG");
  SmmPoolFree(Old);
}

TEST_F(Pool, FreeRoutesByAddressAndFiltersNull) {
  VOID *BootBuffer = NULL;
  ASSERT_EQ(Platform.BootServices.AllocatePool(EfiBootServicesData, 24, &BootBuffer), EFI_SUCCESS);
  Platform.Calls.clear();
  SmmPoolFree(BootBuffer);
  EXPECT_EQ(Platform.Calls, std::vector<std::string>{"FreePool"});
  EXPECT_TRUE(Platform.LiveBootBlocks.empty());

  Platform.Calls.clear();
  SmmPoolFree(NULL);
  EXPECT_TRUE(Platform.Calls.empty());
  EXPECT_TRUE(Platform.Faults.empty());
}

// Without a map nothing can be placed, yet the module's buffers all come from the SMM pool:
// they go back there, never to the boot-services pool that does not own them.
TEST_F(Pool, WithNoRangesEveryFreeGoesToTheSmmPool) {
  mSmramRangeEntries = 0;
  VOID *Buffer = SmmPoolAllocate(8);
  Platform.Calls.clear();
  AssertionsEnabled Reports;
  SmmPoolFree(Buffer);
  EXPECT_EQ(Platform.Calls, std::vector<std::string>{"SmmFreePool"});
  EXPECT_TRUE(Platform.Faults.empty());
  EXPECT_TRUE(RecordedAssertions().empty());
}

// A failed free is asserted at its line and nothing more happens.
TEST_F(Pool, FailedFreeIsAsserted) {
  VOID *Buffer = SmmPoolAllocate(8);
  SmmPoolFree(Buffer);
  AssertionsEnabled Reports;
  SmmPoolFree(Buffer);  // a double free, which the pool refuses
  ASSERT_EQ(RecordedAssertions().size(), 1u);
  EXPECT_EQ(RecordedAssertions()[0],
            (RecordedAssertion{"MdePkg/Library/SmmMemoryAllocationLib/MemoryAllocationLib", 976, "!EFI_ERROR (Status)"}));
}

}  // namespace
