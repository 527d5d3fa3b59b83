#include <gtest/gtest.h>

#include "platform/ProtocolDatabase.h"
#include "support/Guids.h"

namespace vorq::emu {
namespace {

class ProtocolDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { db.Init("test", arena, 4); }
  uint8_t arena[64] = {};
  ProtocolDatabase db;
  int first = 1, second = 2;
};

TEST_F(ProtocolDatabaseTest, InstallOnANewHandleThenLocate) {
  EFI_HANDLE handle = nullptr;
  ASSERT_EQ(db.Install(&handle, &kSmmImageAuthenticationProtocolGuid, EFI_NATIVE_INTERFACE, &first, 0), EFI_SUCCESS);
  EXPECT_NE(handle, nullptr);
  void* found = nullptr;
  EXPECT_EQ(db.Locate(&kSmmImageAuthenticationProtocolGuid, &found), EFI_SUCCESS);
  EXPECT_EQ(found, &first);
  EXPECT_EQ(db.HandleProtocol(handle, &kSmmImageAuthenticationProtocolGuid, &found), EFI_SUCCESS);
}

TEST_F(ProtocolDatabaseTest, LocateGivesTheFirstInstalledAndClearsOnNotFound) {
  EFI_HANDLE a = nullptr, b = nullptr;
  db.Install(&a, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &first, 0);
  db.Install(&b, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &second, 0);
  void* found = nullptr;
  EXPECT_EQ(db.Locate(&kTscFrequencyTableGuid, &found), EFI_SUCCESS);
  EXPECT_EQ(found, &first);
  found = &second;
  EXPECT_EQ(db.Locate(&kSmmBase2ProtocolGuid, &found), EFI_NOT_FOUND);
  EXPECT_EQ(found, nullptr);
}

TEST_F(ProtocolDatabaseTest, RefusesWhatUefiRefuses) {
  struct RefusalCase {
    const char* meaning;
    EFI_STATUS status;
  };
  EFI_HANDLE handle = nullptr;
  db.Install(&handle, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &first, 0);
  EFI_HANDLE unknown = reinterpret_cast<EFI_HANDLE>(0x1234);
  EFI_HANDLE fresh = nullptr;
  void* found = nullptr;
  const RefusalCase kCases[] = {
      {"the same GUID twice on one handle",
       db.Install(&handle, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &second, 0)},
      {"an unknown handle", db.Install(&unknown, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &second, 0)},
      {"a NULL handle pointer", db.Install(nullptr, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &second, 0)},
      {"a NULL GUID", db.Install(&fresh, nullptr, EFI_NATIVE_INTERFACE, &second, 0)},
      {"a non-native interface", db.Install(&fresh, &kSmmBase2ProtocolGuid, EFI_INTERFACE_TYPE(1), &second, 0)},
      {"locate with a NULL GUID", db.Locate(nullptr, &found)},
      {"locate with a NULL result", db.Locate(&kTscFrequencyTableGuid, nullptr)},
  };
  for (const RefusalCase& c : kCases) EXPECT_EQ(c.status, EFI_INVALID_PARAMETER) << c.meaning;
  EXPECT_EQ(db.Installed().size(), 1u);
  EXPECT_EQ(db.HandleProtocol(handle, &kSmmBase2ProtocolGuid, &found), EFI_UNSUPPORTED);
}

TEST_F(ProtocolDatabaseTest, ASecondInterfaceJoinsAnExistingHandle) {
  EFI_HANDLE handle = nullptr;
  db.Install(&handle, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &first, 0);
  EFI_HANDLE same = handle;
  EXPECT_EQ(db.Install(&same, &kSmmBase2ProtocolGuid, EFI_NATIVE_INTERFACE, &second, 0), EFI_SUCCESS);
  EXPECT_EQ(same, handle);
}

TEST_F(ProtocolDatabaseTest, RunsOutOfHandlesGracefully) {
  for (int i = 0; i < 4; ++i) {
    EFI_HANDLE h = nullptr;
    EXPECT_EQ(db.Install(&h, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &first, 0), EFI_SUCCESS);
  }
  EFI_HANDLE h = nullptr;
  EXPECT_EQ(db.Install(&h, &kTscFrequencyTableGuid, EFI_NATIVE_INTERFACE, &first, 0), EFI_OUT_OF_RESOURCES);
}

}  // namespace
}  // namespace vorq::emu
