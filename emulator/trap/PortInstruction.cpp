#include "trap/PortInstruction.h"

namespace vorq::emu {

std::optional<PortInstruction> DecodePortInstruction(const uint8_t* bytes, size_t available) {
  bool operand_size_16 = false;
  size_t at = 0;
  // An instruction is at most 15 bytes; prefixes beyond that make it invalid anyway.
  for (; at < available && at < 14; ++at) {
    const uint8_t b = bytes[at];
    if (b == 0x66)
      operand_size_16 = true;
    else if (b == 0x2E || b == 0x36 || b == 0x3E || b == 0x26 || b == 0x64 || b == 0x65)
      continue;
    else if (b >= 0x40 && b <= 0x4F)
      continue;
    else
      break;
  }
  if (at >= available) return std::nullopt;
  const uint8_t opcode = bytes[at];
  const unsigned wide = operand_size_16 ? 2 : 4;
  auto with_immediate = [&](bool is_write, unsigned width) -> std::optional<PortInstruction> {
    if (at + 1 >= available) return std::nullopt;
    return PortInstruction{is_write, false, bytes[at + 1], width, unsigned(at + 2)};
  };
  auto with_dx = [&](bool is_write, unsigned width) {
    return PortInstruction{is_write, true, 0, width, unsigned(at + 1)};
  };
  switch (opcode) {
    case 0xE4: return with_immediate(false, 1);
    case 0xE5: return with_immediate(false, wide);
    case 0xE6: return with_immediate(true, 1);
    case 0xE7: return with_immediate(true, wide);
    case 0xEC: return with_dx(false, 1);
    case 0xED: return with_dx(false, wide);
    case 0xEE: return with_dx(true, 1);
    case 0xEF: return with_dx(true, wide);
    default: return std::nullopt;
  }
}

}  // namespace vorq::emu
