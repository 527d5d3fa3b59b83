// FindConfigurationTable and GuidEquals.
#include <gtest/gtest.h>

#include <cstring>

#include "FakePlatform.h"
#include "Library/UefiLib.h"

namespace {

constexpr EFI_GUID kFirst = {0xDBA6A7E3, 0xBB57, 0x4BE7, {0x8A, 0xF8, 0xD5, 0x78, 0xDB, 0x7E, 0x56, 0x87}};
constexpr EFI_GUID kSecond = {0xBD13DB46, 0x0087, 0x4A05, {0xA0, 0x4A, 0x08, 0x6C, 0xED, 0xA3, 0xB7, 0xD4}};

TEST(FindConfigurationTable, EmptyTableAndMissingEntryAreNotFound) {
  FakePlatform Platform;
  ModuleTablesBound Tables(Platform, false);
  VOID *Found = reinterpret_cast<VOID *>(1);
  EXPECT_EQ(FindConfigurationTable(&kFirst, &Found), EFI_NOT_FOUND);
  EXPECT_EQ(Found, nullptr);

  int Value = 0;
  Platform.ConfigurationTables = {{kSecond, &Value}};
  Platform.SystemTable.NumberOfTableEntries = 1;
  Platform.SystemTable.ConfigurationTable = Platform.ConfigurationTables.data();
  Found = reinterpret_cast<VOID *>(1);
  EXPECT_EQ(FindConfigurationTable(&kFirst, &Found), EFI_NOT_FOUND);
  EXPECT_EQ(Found, nullptr);
}

TEST(FindConfigurationTable, FirstOfTwoEntriesWins) {
  FakePlatform Platform;
  ModuleTablesBound Tables(Platform, false);
  int First = 1, Second = 2, Other = 3;
  Platform.ConfigurationTables = {{kSecond, &Other}, {kFirst, &First}, {kFirst, &Second}};
  Platform.SystemTable.NumberOfTableEntries = 3;
  Platform.SystemTable.ConfigurationTable = Platform.ConfigurationTables.data();
  VOID *Found = nullptr;
  ASSERT_EQ(FindConfigurationTable(&kFirst, &Found), EFI_SUCCESS);
  EXPECT_EQ(Found, &First);
}

TEST(GuidEquals, ComparesBothHalvesAtAnyAlignment) {
  alignas(16) UINT8 Storage[64];
  for (std::size_t Offset : {std::size_t{0}, std::size_t{1}, std::size_t{3}, std::size_t{7}}) {
    SCOPED_TRACE(Offset);
    auto *Left = reinterpret_cast<EFI_GUID *>(Storage + Offset);
    auto *Right = reinterpret_cast<EFI_GUID *>(Storage + 32 + (Offset ^ 5));
    std::memcpy(Left, &kFirst, 16);
    std::memcpy(Right, &kFirst, 16);
    EXPECT_TRUE(GuidEquals(Left, Right));
    for (std::size_t Byte : {std::size_t{0}, std::size_t{7}, std::size_t{8}, std::size_t{15}}) {
      reinterpret_cast<UINT8 *>(Right)[Byte] ^= 0x01;
      EXPECT_FALSE(GuidEquals(Left, Right)) << "byte " << Byte;
      reinterpret_cast<UINT8 *>(Right)[Byte] ^= 0x01;
    }
  }
}

}  // namespace
