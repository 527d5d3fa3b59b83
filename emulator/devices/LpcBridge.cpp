#include "devices/LpcBridge.h"

namespace vorq::emu {

bool LpcBridge::DecodesComPort(uint16_t base) const {
  // The decode field values 0 to 7 select these bases, for COMA and COMB alike.
  static constexpr uint16_t kComBases[8] = {0x3F8, 0x2F8, 0x220, 0x228, 0x238, 0x2E8, 0x338, 0x3E8};
  const uint16_t ranges = Read16(lpc::LPC_IO_DEC);
  const uint16_t enables = Read16(lpc::LPC_EN);
  const bool coma = (enables & lpc::COMA_LPC_EN) && kComBases[ranges & lpc::COMA_DEC_MASK] == base;
  const bool comb = (enables & lpc::COMB_LPC_EN) && kComBases[(ranges & lpc::COMB_DEC_MASK) >> 4] == base;
  return coma || comb;
}

}  // namespace vorq::emu
