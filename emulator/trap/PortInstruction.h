// Decoding of the port instructions a trapped SIGSEGV can stand for. The forms:
//
//   E4 ib  in  al, imm8        E6 ib  out imm8, al
//   E5 ib  in  eax, imm8       E7 ib  out imm8, eax
//   EC     in  al, dx          EE     out dx, al
//   ED     in  eax, dx         EF     out dx, eax
//
// with an optional 66 prefix turning eax into ax, and REX or segment prefixes that change
// nothing for these opcodes. String forms (INS/OUTS) are recognised only to be refused.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

namespace vorq::emu {

struct PortInstruction {
  bool is_write;
  bool port_in_dx;
  uint8_t immediate_port;
  unsigned width;   // 1, 2 or 4 bytes
  unsigned length;  // bytes to step over
};

// Empty for anything that is not one of the forms above, string I/O included.
std::optional<PortInstruction> DecodePortInstruction(const uint8_t* bytes, size_t available);

}  // namespace vorq::emu
