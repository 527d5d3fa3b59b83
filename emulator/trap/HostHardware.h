// The board for host tests, in-process: link the `vorq_emulator_hardware` library, call
// module code compiled for the host (PortRead8, PortWrite32, MmioLoad8 on the PCI Express
// window, SerialConsoleInit, ...) and look at the device models and the port log.
//
//   vorq::emu::HostHardware hw;                     // handlers installed, board reset
//   hw.Reset(config);                               // any BoardConfig (devices/Board.h)
//   hw.MapPcieWindow();                             // 0x80000000: bus 0, LPC bridge at 0xF8000
//   auto fault = hw.Run([] { SerialConsoleInit(); });  // empty unless an access was unserved
//   hw.Log().Entries();                             // {port, width, is_write, value, ...}
//   hw.Uart().Transmitted();                        // every byte written to THR
//
// Port accesses also work outside Run(): served ones behave the same, but an unserved one
// then prints its error and ends the process with exit code 4. Everything is process-wide:
// one board, one trap, fixed addresses; HostHardware objects share them.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "devices/Board.h"
#include "trap/Trap.h"

namespace vorq::emu {

class HostHardware {
 public:
  explicit HostHardware(const BoardConfig& config = {}) {
    InstallTrapHandlers();
    Reset(config);
  }
  ~HostHardware() { TheBoard().UnmapPcieWindow(); }

  // Devices back to their power-on state under `config`; log, UART capture, breakpoints cleared.
  void Reset(const BoardConfig& config = {}) {
    TheBoard().Reset(config);
    ClearBreakpoints();
  }
  // False (with the reason in *error) when 0x80000000 is taken in this process.
  bool MapPcieWindow(std::string* error = nullptr) { return TheBoard().MapPcieWindow(error); }
  std::optional<TrapFault> Run(const std::function<void()>& body, unsigned timeout_ms = 0) {
    return RunTrapped(body, timeout_ms);
  }

  Board& Devices() { return TheBoard(); }
  PortLog& Log() { return TheBoard().Log(); }
  Uart16550& Uart() { return TheBoard().Uart(); }
  LpcBridge& Lpc() { return TheBoard().Lpc(); }
  SuperIo& SuperIoChip() { return TheBoard().SuperIoChip(); }
  Cmos& CmosRam() { return TheBoard().CmosRam(); }
  AcpiPmTimer& PmTimer() { return TheBoard().PmTimer(); }
};

}  // namespace vorq::emu
