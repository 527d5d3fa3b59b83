// Memory-mapped access and PCI Express configuration access, against an ordinary buffer:
// the window base is set so that the configuration registers under test land in it.
#include <gtest/gtest.h>

#include <cstring>

#include "AssertionRecorder.h"
#include "Library/IoLib.h"
#include "Library/PciExpressLib.h"

namespace {

const char kMmio[] = "MdePkg/Library/BaseIoLibIntrinsic/IoLib";

TEST(Mmio, StoresReturnTheValueAndLoadsReadItBack) {
  alignas(8) UINT8 Bytes[8] = {};
  const UINTN Base = (UINTN)Bytes;
  EXPECT_EQ(MmioStore8(Base + 1, 0xA5), 0xA5);
  EXPECT_EQ(MmioStore16(Base + 2, 0xBEEF), 0xBEEF);
  EXPECT_EQ(MmioLoad8(Base + 1), 0xA5);
  EXPECT_EQ(MmioLoad16(Base + 2), 0xBEEF);
  const UINT8 Expected[8] = {0x00, 0xA5, 0xEF, 0xBE, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(std::memcmp(Bytes, Expected, 8), 0);
}

TEST(Mmio, OrReturnsTheOldValueOrTheMaskAndStoresIt) {
  UINT8 Register = 0x81;
  EXPECT_EQ(MmioOr8((UINTN)&Register, 0x06), 0x87);
  EXPECT_EQ(Register, 0x87);
}

// Reported, then carried out as given: the processor reads across the alignment.
TEST(Mmio, OddSixteenBitAccessIsReportedAndPerformed) {
  alignas(2) UINT8 Bytes[4] = {0x11, 0x22, 0x33, 0x44};
  AssertionsEnabled On;
  EXPECT_EQ(MmioLoad16((UINTN)Bytes + 1), 0x3322);
  EXPECT_EQ(MmioStore16((UINTN)Bytes + 1, 0xAABB), 0xAABB);
  EXPECT_EQ(Bytes[1], 0xBB);
  EXPECT_EQ(Bytes[2], 0xAA);
  const std::vector<RecordedAssertion> Expected = {{kMmio, 151, "(Address & 1) == 0"},
                                                   {kMmio, 214, "(Address & 1) == 0"}};
  EXPECT_EQ(RecordedAssertions(), Expected);
}

// The LPC bridge's function (bus 0, device 31, function 0) mapped onto a buffer.
class PcieWindow : public testing::Test {
 protected:
  static constexpr UINTN kFunction = 0xF8000;

  void SetUp() override {
    SavedBase = PcdPcieWindowBase;
    std::memset(Space, 0, sizeof(Space));
    PcdPcieWindowBase = (UINTN)Space - kFunction;
  }
  void TearDown() override { PcdPcieWindowBase = SavedBase; }

  alignas(4096) UINT8 Space[4096];
  UINT64 SavedBase = 0;
};

TEST_F(PcieWindow, RegisterIsAtWindowBasePlusEncodedAddress) {
  Space[0x44] = 0x5A;
  Space[0x40] = 0x01;
  Space[0x41] = 0x04;
  EXPECT_EQ(PcieRead8(0xF8044), 0x5A);
  EXPECT_EQ(PcieRead16(0xF8040), 0x0401);
  EXPECT_EQ(PCI_EXPRESS_ADDRESS(0, 31, 0, 0x44), 0xF8044U);
}

TEST_F(PcieWindow, WindowBaseIsReadOnEveryAccess) {
  Space[0x44] = 0x5A;
  Space[0x45] = 0x6B;
  EXPECT_EQ(PcieRead8(0xF8044), 0x5A);
  PcdPcieWindowBase += 1;
  EXPECT_EQ(PcieRead8(0xF8044), 0x6B);
}

TEST_F(PcieWindow, WritesReturnTheValueWritten) {
  Space[0x44] = 0x10;
  EXPECT_EQ(PcieWrite16(0xF8040, 0x0400), 0x0400);
  EXPECT_EQ(PcieOr8(0xF8044, 0x80), 0x90);
  EXPECT_EQ(Space[0x40], 0x00);
  EXPECT_EQ(Space[0x41], 0x04);
  EXPECT_EQ(Space[0x44], 0x90);
}

// The PCI configuration operations reach the same registers with the same results.
TEST_F(PcieWindow, PciConfigurationOperationsForwardUnchanged) {
  Space[0x44] = 0x10;
  EXPECT_EQ(PciCfgWrite16(0xF8040, 0x0401), 0x0401);
  EXPECT_EQ(PciCfgRead16(0xF8040), 0x0401);
  EXPECT_EQ(PciCfgOr8(0xF8044, 0x80), 0x90);
  EXPECT_EQ(PciCfgRead8(0xF8044), 0x90);
  EXPECT_EQ(Space[0x44], 0x90);
}

TEST_F(PcieWindow, OddSixteenBitRegisterIsReportedByTheMmioLayerOnly) {
  AssertionsEnabled On;
  Space[0x41] = 0x34;
  Space[0x42] = 0x12;
  EXPECT_EQ(PciCfgRead16(0xF8041), 0x1234);
  const std::vector<RecordedAssertion> Expected = {{kMmio, 151, "(Address & 1) == 0"}};
  EXPECT_EQ(RecordedAssertions(), Expected);
}

// An address with a bit above 27 names no register. The window is placed so that such an
// address, were it added to the base, would land on the buffer: it must not be touched.
TEST_F(PcieWindow, AddressAboveTwentyEightBitsIsNeverAccessed) {
  constexpr UINTN kOutside = 0x10000000 | kFunction;
  PcdPcieWindowBase = (UINTN)Space - kOutside;
  std::memset(Space, 0x5A, sizeof(Space));
  auto AccessOutside = [] {
    EXPECT_EQ(PcieRead8(kOutside), 0xFF);
    EXPECT_EQ(PcieRead16(kOutside), 0xFFFF);
    EXPECT_EQ(PcieOr8(kOutside, 0x01), 0xFF);
    EXPECT_EQ(PcieWrite16(kOutside, 0x1234), 0x1234);
    EXPECT_EQ(PciCfgWrite16(kOutside, 0x1234), 0x1234);
  };
  ClearRecordedAssertions();
  AccessOutside();
  EXPECT_TRUE(RecordedAssertions().empty());
  {
    AssertionsEnabled On;
    AccessOutside();
    EXPECT_EQ(RecordedAssertions().size(), 5U);
  }
  for (UINT8 Byte : Space) {
    ASSERT_EQ(Byte, 0x5A);
  }
}

}  // namespace
