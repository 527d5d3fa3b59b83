#include <gtest/gtest.h>

#include "trap/PortInstruction.h"

namespace vorq::emu {
namespace {

struct DecodeCase {
  const char* meaning;
  std::vector<uint8_t> bytes;
  bool decoded;
  bool is_write;
  bool port_in_dx;
  uint8_t immediate;
  unsigned width, length;
};

const DecodeCase kCases[] = {
    {"in al, imm8", {0xE4, 0x71}, true, false, false, 0x71, 1, 2},
    {"in eax, imm8", {0xE5, 0x40}, true, false, false, 0x40, 4, 2},
    {"in ax, imm8", {0x66, 0xE5, 0x40}, true, false, false, 0x40, 2, 3},
    {"out imm8, al", {0xE6, 0x80}, true, true, false, 0x80, 1, 2},
    {"out imm8, eax", {0xE7, 0x80}, true, true, false, 0x80, 4, 2},
    {"in al, dx", {0xEC}, true, false, true, 0, 1, 1},
    {"in eax, dx", {0xED}, true, false, true, 0, 4, 1},
    {"in ax, dx", {0x66, 0xED}, true, false, true, 0, 2, 2},
    {"out dx, al", {0xEE}, true, true, true, 0, 1, 1},
    {"out dx, eax", {0xEF}, true, true, true, 0, 4, 1},
    {"out dx, ax", {0x66, 0xEF}, true, true, true, 0, 2, 2},
    {"REX prefix changes nothing", {0x48, 0xEC}, true, false, true, 0, 1, 2},
    {"immediate cut off by the page end", {0xE4}, false, false, false, 0, 0, 0},
    {"outsb is refused", {0x6E}, false, false, false, 0, 0, 0},
    {"rep insb is refused", {0xF3, 0x6C}, false, false, false, 0, 0, 0},
    {"hlt is no port instruction", {0xF4}, false, false, false, 0, 0, 0},
    {"cli is no port instruction", {0xFA}, false, false, false, 0, 0, 0},
};

TEST(PortInstruction, DecodesEveryInOutFormAndRefusesTheRest) {
  for (const DecodeCase& c : kCases) {
    const auto insn = DecodePortInstruction(c.bytes.data(), c.bytes.size());
    ASSERT_EQ(insn.has_value(), c.decoded) << c.meaning;
    if (!insn) continue;
    EXPECT_EQ(insn->is_write, c.is_write) << c.meaning;
    EXPECT_EQ(insn->port_in_dx, c.port_in_dx) << c.meaning;
    if (!c.port_in_dx) EXPECT_EQ(insn->immediate_port, c.immediate) << c.meaning;
    EXPECT_EQ(insn->width, c.width) << c.meaning;
    EXPECT_EQ(insn->length, c.length) << c.meaning;
  }
}

}  // namespace
}  // namespace vorq::emu
