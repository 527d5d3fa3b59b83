#include <gtest/gtest.h>

#include "support/StatusNames.h"

namespace vorq::emu {
namespace {

struct NameCase {
  const char* meaning;
  uint64_t status;
  const char* text;
};

const NameCase kCases[] = {
    {"success", 0x0, "Success (0x0)"},
    {"last warning the module names", 0x4, "Warning Buffer Too Small (0x4)"},
    {"out of resources", 0x8000000000000009ULL, "Out of Resources (0x8000000000000009)"},
    {"last error the module names", 0x8000000000000018ULL, "Protocol Error (0x8000000000000018)"},
    {"security violation beyond the module's table", 0x800000000000001AULL, "Security Violation (0x800000000000001A)"},
    {"incompatible version", 0x8000000000000019ULL, "Incompatible Version (0x8000000000000019)"},
    {"unnamed error", 0x800000000000001DULL, "Unknown Status (0x800000000000001D)"},
    {"unnamed warning", 0x7, "Unknown Status (0x7)"},
};

TEST(StatusNames, EachStatusPrintsItsNameAndHex) {
  for (const NameCase& c : kCases) EXPECT_EQ(DescribeStatus(c.status), c.text) << c.meaning;
}

}  // namespace
}  // namespace vorq::emu
