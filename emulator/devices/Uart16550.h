// A 16550-compatible UART at 0x3F8. Transmission is instant unless `busy_reads` asks for a
// transmitter that stays busy for that many LSR reads after each byte; nothing is received.
#pragma once
#include <cstdio>
#include <vector>

#include "devices/PortDevice.h"

namespace vorq::emu {

namespace uart {
constexpr uint16_t kBase = 0x3F8;
constexpr uint8_t UART_THR = 0, UART_RBR = 0, UART_DLL = 0;
constexpr uint8_t UART_IER = 1, UART_DLM = 1;
constexpr uint8_t UART_IIR = 2, UART_FCR = 2;
constexpr uint8_t UART_LCR = 3;
constexpr uint8_t UART_MCR = 4;
constexpr uint8_t UART_LSR = 5;
constexpr uint8_t UART_MSR = 6;
constexpr uint8_t UART_SCR = 7;
constexpr uint8_t LCR_DLAB = 0x80;
constexpr uint8_t FCR_FIFO_ENABLE = 0x01;
constexpr uint8_t FCR_64_BYTE_FIFO = 0x20;
constexpr uint8_t FCR_TRIGGER_MASK = 0xC0;
constexpr uint8_t IIR_NO_INTERRUPT = 0x01;
constexpr uint8_t IIR_64_BYTE_FIFO = 0x20;
constexpr uint8_t IIR_FIFOS_ENABLED = 0xC0;
constexpr uint8_t LSR_THRE = 0x20;
constexpr uint8_t LSR_TEMT = 0x40;
constexpr uint8_t MSR_CTS = 0x10;
constexpr uint8_t MSR_DSR = 0x20;
}  // namespace uart

struct UartConfig {
  uint8_t msr = uart::MSR_CTS | uart::MSR_DSR;  // a connected cable, clear to send
  unsigned busy_reads = 0;
};

class Uart16550 final : public PortDevice {
 public:
  // `decoded` says whether the LPC bridge and the Super I/O route 0x3F8 to this UART.
  using DecodeTest = bool (*)(const void* board);
  Uart16550(DecodeTest decoded, const void* board) : decoded_(decoded), board_(board) {}
  const char* Name() const override { return "uart-16550"; }
  bool Decodes(uint16_t port, unsigned width) const override;
  uint32_t Read(uint16_t port, unsigned width) override;
  void Write(uint16_t port, unsigned width, uint32_t value) override;
  void Reset(const UartConfig& config);

  void SetModemStatus(uint8_t msr) { msr_ = msr; }
  void SetLog(std::FILE* log) { log_ = log; }
  const std::vector<uint8_t>& Transmitted() const { return transmitted_; }
  void ClearTransmitted() { transmitted_.clear(); }
  uint16_t Divisor() const { return uint16_t(dlm_ << 8 | dll_); }
  uint8_t LineControl() const { return lcr_; }
  uint8_t FifoControl() const { return fcr_; }
  uint8_t ModemControl() const { return mcr_; }

 private:
  uint8_t InterruptIdentification() const;
  DecodeTest decoded_;
  const void* board_;
  UartConfig config_;
  uint8_t dll_ = 0, dlm_ = 0, ier_ = 0, fcr_ = 0, lcr_ = 0, mcr_ = 0, msr_ = 0, scr_ = 0;
  unsigned busy_left_ = 0;
  std::vector<uint8_t> transmitted_;
  std::FILE* log_ = nullptr;
};

}  // namespace vorq::emu
