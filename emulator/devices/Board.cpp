#include "devices/Board.h"

#include <sys/mman.h>

#include <cstring>

#include "support/Hex.h"

namespace vorq::emu {

Board::Board() : devices_{&pci_, &pm_timer_, &cmos_, &super_io_, &uart_} { Reset(BoardConfig{}); }

Board& TheBoard() {
  static Board board;
  return board;
}

void Board::ResetLpcConfigSpace() {
  uint8_t* space = lpc_.Space();
  std::memset(space, 0, lpc::kConfigSpaceSize);
  auto put16 = [&](uint16_t reg, uint16_t value) {
    space[reg] = uint8_t(value);
    space[reg + 1] = uint8_t(value >> 8);
  };
  auto put32 = [&](uint16_t reg, uint32_t value) {
    put16(reg, uint16_t(value));
    put16(uint16_t(reg + 2), uint16_t(value >> 16));
  };
  put16(lpc::PCI_VENDOR_ID, 0x8086);
  put16(lpc::PCI_DEVICE_ID, 0x7000);  // a neutral ISA bridge ID; nothing in the module reads it
  put16(lpc::PCI_COMMAND, 0x0007);
  space[lpc::PCI_REVISION_ID] = 0x01;
  space[lpc::PCI_CLASS_CODE + 1] = 0x01;  // subclass: ISA bridge
  space[lpc::PCI_CLASS_CODE + 2] = 0x06;  // class: bridge
  space[lpc::PCI_HEADER_TYPE] = 0x80;     // multi-function
  put16(lpc::ACPI_BASE, config_.acpi_base);
  space[lpc::ACPI_CNTL] = config_.acpi_control;
  put32(lpc::LPC_IO_DEC, config_.lpc_decode);
}

void Board::Reset(const BoardConfig& config) {
  config_ = config;
  gating_ = config.decode_gating;
  pci_.Reset();
  ResetLpcConfigSpace();
  pm_timer_.Reset(config.pm_timer);
  cmos_.Reset(config.cmos_baud_selection);
  super_io_.Reset(config.super_io);
  uart_.Reset(config.uart);
  log_.Clear();
}

bool Board::UartDecoded(const void* opaque) {
  const Board& board = *static_cast<const Board*>(opaque);
  if (!board.gating_) return true;
  const SuperIo& chip = board.super_io_;
  return board.lpc_.DecodesComPort(uart::kBase) && chip.DeviceActive(sio::SIO_LDN_SERIAL_1) &&
         chip.DeviceBase(sio::SIO_LDN_SERIAL_1) == uart::kBase;
}

PortDevice* Board::DeviceFor(uint16_t port, unsigned width) {
  for (PortDevice* device : devices_)
    if (device->Decodes(port, width)) return device;
  return nullptr;
}

bool Board::Read(uint16_t port, unsigned width, uint64_t instruction, uint32_t& value) {
  PortDevice* device = DeviceFor(port, width);
  value = device ? device->Read(port, width) & WidthMask(width) : WidthMask(width);
  log_.Record({port, uint8_t(width), false, value, instruction, device ? device->Name() : nullptr});
  return device != nullptr || config_.unpopulated_reads_ff;
}

bool Board::Write(uint16_t port, unsigned width, uint32_t value, uint64_t instruction) {
  value &= WidthMask(width);
  PortDevice* device = DeviceFor(port, width);
  if (device) device->Write(port, width, value);
  log_.Record({port, uint8_t(width), true, value, instruction, device ? device->Name() : nullptr});
  return device != nullptr || config_.unpopulated_reads_ff;
}

bool Board::MapPcieWindow(std::string* error) {
  if (window_) return true;
  void* wanted = reinterpret_cast<void*>(window::kPcieWindowBase);
  void* got = mmap(wanted, window::kBackedSize, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
  if (got != wanted) {
    if (got != MAP_FAILED) munmap(got, window::kBackedSize);
    if (error) *error = "cannot map the PCI Express window at " + Hex(window::kPcieWindowBase) + ": address in use";
    return false;
  }
  window_ = static_cast<uint8_t*>(got);
  std::memset(window_, 0xFF, window::kBackedSize);
  lpc_.MoveInto(window_ + window::FunctionOffset(lpc::kBus, lpc::kDevice, lpc::kFunction));
  return true;
}

void Board::UnmapPcieWindow() {
  if (!window_) return;
  lpc_.MoveOut();
  munmap(window_, window::kBackedSize);
  window_ = nullptr;
}

}  // namespace vorq::emu
