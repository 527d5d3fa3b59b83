#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/Services.h"
#include "runner/Emulator.h"
#include "TestSupport.h"

namespace vorq::emu {
namespace {

TEST(CheckerPolicy, RefusesOverlapWithSmramAndWrapping) {
  const std::vector<SmramRange> smram = {{0x7F000000, 0x1000000}, {0x10000, 0}};
  struct PolicyCase {
    const char* meaning;
    uint64_t buffer, length;
    bool refused;
  };
  const PolicyCase kCases[] = {
      {"below SMRAM", 0x40000000, 0x1000, false},
      {"ends on the last byte before SMRAM", 0x7EFFF000, 0x1000, false},
      {"ends on the first SMRAM byte", 0x7EFFF000, 0x1001, true},
      {"inside SMRAM", 0x7F100000, 16, true},
      {"starts on the last SMRAM byte", 0x7FFFFFFF, 1, true},
      {"starts right after SMRAM", 0x80000000, 16, false},
      {"covers SMRAM", 0x70000000, 0x20000000, true},
      {"zero length inside SMRAM", 0x7F000000, 0, true},
      {"zero length outside", 0x40000000, 0, false},
      {"NULL with one byte (the module must refuse it itself)", 0, 1, false},
      {"wraps the address space", 0xFFFFFFFFFFFFF000ULL, 0x2000, true},
      {"ends exactly at the top", 0xFFFFFFFFFFFFF000ULL, 0x1000, false},
      {"a zero-size range never matches", 0x10000, 16, false},
  };
  for (const PolicyCase& c : kCases) EXPECT_EQ(PolicyRefuses(c.buffer, c.length, smram), c.refused) << c.meaning;
}

struct ModeCase {
  const char* meaning;
  CheckerMode mode;
  EFI_STATUS status;
  size_t calls;
  uint8_t first_answer;
};

TEST(CheckerModes, EachModeAnswersAndRecordsAsDocumented) {
  const ModeCase kCases[] = {
      {"policy lets caller buffers through", CheckerMode::Policy, EFI_SUCCESS, 2, 0},
      {"refuse-data stops after the first call", CheckerMode::RefuseData, EFI_SECURITY_VIOLATION, 1, 1},
      {"refuse-signature stops after the second call", CheckerMode::RefuseSignature, EFI_SECURITY_VIOLATION, 2, 0},
      {"answer-2 is not a refusal", CheckerMode::Answer2, EFI_SUCCESS, 2, 2},
      {"absent: nothing is asked", CheckerMode::Absent, EFI_SECURITY_VIOLATION, 0, 0},
  };
  const std::vector<uint8_t> data = {1, 2, 3, 4, 5};
  for (const ModeCase& c : kCases) {
    EmulatorOptions options;
    options.platform.checker = c.mode;
    Emulator emulator(options);
    std::string error;
    ASSERT_TRUE(emulator.Start(&error)) << error;
    ASSERT_TRUE(emulator.LoadImage(test::FixtureImage(), &error)) << error;
    ASSERT_TRUE(emulator.RunEntry().returned) << c.meaning;
    const CallOutcome call = emulator.Authenticate(data, test::FixtureSignature(data));
    EXPECT_EQ(call.status, c.status) << c.meaning;
    ASSERT_EQ(call.checker_calls.size(), c.calls) << c.meaning;
    if (c.calls == 0) continue;
    EXPECT_EQ(call.checker_calls[0].buffer, emulator.ThePlatform().data.address) << c.meaning;
    EXPECT_EQ(call.checker_calls[0].length, data.size()) << c.meaning;
    EXPECT_EQ(call.checker_calls[0].answer, c.first_answer) << c.meaning;
    if (c.calls == 2) EXPECT_EQ(call.checker_calls[1].length, 256u) << c.meaning;
  }
}

}  // namespace
}  // namespace vorq::emu
