// The board's I/O devices behind one port bus, the PCI Express window that holds the LPC
// bridge's configuration space, and the log of every port access. One board per process:
// the trap's signal handlers serve it.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "devices/AcpiPmTimer.h"
#include "devices/Cmos.h"
#include "devices/LpcBridge.h"
#include "devices/PciMechanism1.h"
#include "devices/PortLog.h"
#include "devices/SuperIo.h"
#include "devices/Uart16550.h"

namespace vorq::emu {

namespace window {
constexpr uint64_t kPcieWindowBase = 0x80000000;
// Only bus 0 is backed by memory (1 MiB); every absent function there reads all ones.
constexpr uint64_t kBackedSize = 1u << 20;
constexpr uint64_t FunctionOffset(unsigned bus, unsigned device, unsigned function) {
  return uint64_t(bus) << 20 | uint64_t(device) << 15 | uint64_t(function) << 12;
}
}  // namespace window

struct BoardConfig {
  PmTimerConfig pm_timer;
  uint8_t cmos_baud_selection = 0x00;  // CMOS 0x6F; 0x00 selects 115200 baud
  SuperIoConfig super_io;
  UartConfig uart;
  // Answer all ones for ports no device decodes (an empty bus) instead of stopping the run.
  bool unpopulated_reads_ff = false;
  // Route 0x3F8 and 0x370 only as the LPC decode registers and the Super I/O say, as the
  // board does; off, those devices answer whatever the chipset state.
  bool decode_gating = true;
  uint32_t lpc_decode = 0;        // LPC bridge 0x80-0x83 at reset: nothing decoded
  uint16_t acpi_base = 0x0001;    // 0x40 at reset: base 0, bit 0 the I/O space indicator
  uint8_t acpi_control = 0x00;    // 0x44 at reset: ACPI decode off
};

class Board {
 public:
  Board();
  void Reset(const BoardConfig& config);
  const BoardConfig& Config() const { return config_; }

  // Serve one access of the trapped instruction at `instruction`. False: no device decodes
  // the port and the empty bus is not allowed to answer; the access is still logged.
  bool Read(uint16_t port, unsigned width, uint64_t instruction, uint32_t& value);
  bool Write(uint16_t port, unsigned width, uint32_t value, uint64_t instruction);

  // Map bus 0 of the PCI Express window at 0x80000000 (fixed, never replacing a mapping)
  // and move the LPC bridge's configuration space into it. False with `error` set when the
  // address range is taken.
  bool MapPcieWindow(std::string* error);
  void UnmapPcieWindow();
  bool PcieWindowMapped() const { return window_ != nullptr; }

  LpcBridge& Lpc() { return lpc_; }
  PciMechanism1& Pci() { return pci_; }
  AcpiPmTimer& PmTimer() { return pm_timer_; }
  Cmos& CmosRam() { return cmos_; }
  SuperIo& SuperIoChip() { return super_io_; }
  Uart16550& Uart() { return uart_; }
  PortLog& Log() { return log_; }

 private:
  static bool UartDecoded(const void* board);
  PortDevice* DeviceFor(uint16_t port, unsigned width);
  void ResetLpcConfigSpace();
  BoardConfig config_;
  LpcBridge lpc_;
  PciMechanism1 pci_{lpc_};
  AcpiPmTimer pm_timer_{lpc_};
  Cmos cmos_;
  bool gating_ = true;
  SuperIo super_io_{lpc_, gating_};
  Uart16550 uart_{&Board::UartDecoded, this};
  PortDevice* devices_[5];
  PortLog log_;
  uint8_t* window_ = nullptr;
};

Board& TheBoard();

}  // namespace vorq::emu
