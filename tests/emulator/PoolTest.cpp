#include <gtest/gtest.h>

#include <vector>

#include "platform/Pool.h"

namespace vorq::emu {
namespace {

class PoolTest : public ::testing::Test {
 protected:
  void SetUp() override { pool.Init("test", memory.data(), memory.size()); }
  std::vector<uint8_t> memory = std::vector<uint8_t>(64 * 1024);
  Pool pool;
};

TEST_F(PoolTest, AccountsLiveBytesBlocksAndPeak) {
  void* a = pool.Allocate(100, 6);
  void* b = pool.Allocate(28, 6);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(pool.Stats().live_blocks, 2u);
  EXPECT_EQ(pool.Stats().live_bytes, 128u);
  EXPECT_EQ(pool.Free(a), FreeOutcome::Freed);
  EXPECT_EQ(pool.Stats().live_bytes, 28u);
  EXPECT_EQ(pool.Stats().peak_bytes, 128u);
  EXPECT_EQ(pool.Stats().peak_blocks, 2u);
  pool.RestartPeak();
  EXPECT_EQ(pool.Stats().peak_bytes, 28u);
}

TEST_F(PoolTest, BlocksAreAlignedInTheRegionAndFilledWithGarbage) {
  auto* a = static_cast<uint8_t*>(pool.Allocate(3, 6));
  auto* b = static_cast<uint8_t*>(pool.Allocate(5, 6));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % Pool::kAlignment, 0u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % Pool::kAlignment, 0u);
  EXPECT_TRUE(pool.InRegion(a));
  EXPECT_EQ(a[0], Pool::kFreshFill);
  EXPECT_GE(b - a, int(3 + Pool::kRedZone));
}

TEST_F(PoolTest, ReportsDoubleFreesForeignPointersAndOverruns) {
  auto* a = static_cast<uint8_t*>(pool.Allocate(16, 6));
  EXPECT_EQ(pool.Free(a + 1), FreeOutcome::Foreign);
  EXPECT_EQ(pool.Free(nullptr), FreeOutcome::Foreign);
  EXPECT_EQ(pool.Free(a), FreeOutcome::Freed);
  EXPECT_EQ(pool.Free(a), FreeOutcome::DoubleFree);
  auto* b = static_cast<uint8_t*>(pool.Allocate(16, 6));
  b[16] = 0;  // one byte past the block
  EXPECT_EQ(pool.Free(b), FreeOutcome::Overrun);
  EXPECT_EQ(pool.Stats().live_blocks, 0u);
}

TEST_F(PoolTest, ExhaustionAndHugeSizesFailWithoutWrapping) {
  EXPECT_EQ(pool.Allocate(~uint64_t(0), 6), nullptr);
  EXPECT_EQ(pool.Allocate(~uint64_t(0) - 8, 6), nullptr);
  EXPECT_EQ(pool.Allocate(memory.size(), 6), nullptr);  // the red zone does not fit
  EXPECT_EQ(pool.Stats().failures, 3u);
  EXPECT_EQ(pool.Stats().live_blocks, 0u);
}

TEST_F(PoolTest, FreedRangesCoalesceSoTheWholeRegionCanBeReused) {
  std::vector<void*> blocks;
  while (void* p = pool.Allocate(1000, 6)) blocks.push_back(p);
  ASSERT_GT(blocks.size(), 10u);
  for (size_t i = 0; i < blocks.size(); i += 2) pool.Free(blocks[i]);
  for (size_t i = 1; i < blocks.size(); i += 2) pool.Free(blocks[i]);
  EXPECT_NE(pool.Allocate(memory.size() - Pool::kRedZone, 6), nullptr);
}

}  // namespace
}  // namespace vorq::emu
