#include "devices/Uart16550.h"

namespace vorq::emu {
using namespace uart;

void Uart16550::Reset(const UartConfig& config) {
  config_ = config;
  dll_ = dlm_ = ier_ = fcr_ = lcr_ = mcr_ = scr_ = 0;
  msr_ = config.msr;
  busy_left_ = 0;
  transmitted_.clear();
}

bool Uart16550::Decodes(uint16_t port, unsigned width) const {
  return width == 1 && port >= kBase && port < kBase + 8 && decoded_(board_);
}

uint8_t Uart16550::InterruptIdentification() const {
  uint8_t iir = IIR_NO_INTERRUPT;
  if (fcr_ & FCR_FIFO_ENABLE) iir |= IIR_FIFOS_ENABLED | (fcr_ & FCR_64_BYTE_FIFO ? IIR_64_BYTE_FIFO : 0);
  return iir;
}

uint32_t Uart16550::Read(uint16_t port, unsigned) {
  const bool dlab = lcr_ & LCR_DLAB;
  switch (port - kBase) {
    case UART_RBR: return dlab ? dll_ : 0;
    case UART_IER: return dlab ? dlm_ : ier_;
    case UART_IIR: return InterruptIdentification();
    case UART_LCR: return lcr_;
    case UART_MCR: return mcr_;
    case UART_LSR:
      if (busy_left_ > 0) {
        --busy_left_;
        return 0;
      }
      return LSR_THRE | LSR_TEMT;
    case UART_MSR: return msr_;
    default: return scr_;
  }
}

void Uart16550::Write(uint16_t port, unsigned, uint32_t value) {
  const uint8_t byte = uint8_t(value);
  const bool dlab = lcr_ & LCR_DLAB;
  switch (port - kBase) {
    case UART_THR:
      if (dlab) {
        dll_ = byte;
        break;
      }
      transmitted_.push_back(byte);
      if (log_) std::fputc(byte, log_);
      busy_left_ = config_.busy_reads;
      break;
    case UART_IER:
      if (dlab)
        dlm_ = byte;
      else
        ier_ = byte & 0x0F;
      break;
    // The clear bits 0x06 act at once and do not stick; the FIFO-enable, depth and trigger do.
    case UART_FCR: fcr_ = byte & (FCR_FIFO_ENABLE | FCR_64_BYTE_FIFO | FCR_TRIGGER_MASK); break;
    case UART_LCR: lcr_ = byte; break;
    case UART_MCR: mcr_ = byte & 0x1F; break;
    case UART_LSR: break;  // factory test register: writes have no effect here
    case UART_MSR: break;
    default: scr_ = byte;
  }
}

}  // namespace vorq::emu
