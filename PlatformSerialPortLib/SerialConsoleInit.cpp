// Brings the UART up at the baud rate CMOS selects, unless it already runs as wanted:
//
// 1. Platform preparation (decode window, Super I/O).
// 2. The UART counts as programmed when all three hold:
//    - identification bits 0x21 equal the wanted FIFO control bits 0x21;
//    - line control bits 0x3F equal the wanted line control bits 0x3F;
//    - the divisor latch (read with DLAB set, then DLAB cleared again) holds the divisor.
// 3. Otherwise: LCR = DLAB, DLM, DLL, LCR = line control, FCR = FIFO control, MCR = 0.
//    The interrupt enable register is not touched.
#include "Cmos.h"
#include "FixedSettings.h"
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"
#include "Uart16550.h"

namespace {

struct BAUD_SELECTION {
  UINT8 Selection;  // CMOS register 0x6F AND CMOS_BAUD_MASK
  UINT32 BaudRate;
};

constexpr BAUD_SELECTION kBaudRates[] = {
    {CMOS_BAUD_57600, 57600},
    {CMOS_BAUD_19200, 19200},
    {CMOS_BAUD_9600, 9600},
    {CMOS_BAUD_115200, 115200},
};

UINT32 SelectedBaudRate(VOID) {
  PortWrite8(CMOS_INDEX, CMOS_BAUD_SELECTION);
  const UINT8 Selection = PortRead8(CMOS_DATA) & CMOS_BAUD_MASK;
  for (const BAUD_SELECTION &Row : kBaudRates) {
    if (Row.Selection == Selection) {
      return Row.BaudRate;
    }
  }
  return UART_MAX_BAUD_RATE;  // not reached: the table covers every value of the two bits
}

UINT32 CurrentDivisor(VOID) {
  SerialRegisterWrite(UART_LCR, (UINT8)(SerialRegisterRead(UART_LCR) | LCR_DLAB));
  UINT32 Divisor = (UINT32)SerialRegisterRead(UART_DLM) << 8;
  Divisor |= SerialRegisterRead(UART_DLL);
  SerialRegisterWrite(UART_LCR, (UINT8)(SerialRegisterRead(UART_LCR) & ~LCR_DLAB));
  return Divisor;
}

}  // namespace

VORQ_EXTERN_C EFI_STATUS SerialConsoleInit(VOID) {
  const EFI_STATUS Status = SerialPlatformInit();
  if (EFI_ERROR(Status)) {
    return Status;
  }

  BOOLEAN Programmed = TRUE;
  if ((SerialRegisterRead(UART_IIR) & IIR_PROGRAMMED_MASK) != (PcdUartFifoControl & IIR_PROGRAMMED_MASK)) {
    Programmed = FALSE;
  }
  if ((SerialRegisterRead(UART_LCR) & LCR_FORMAT_MASK) != (PcdUartLineControl & LCR_FORMAT_MASK)) {
    Programmed = FALSE;
  }
  const UINT32 Current = CurrentDivisor();
  const UINT32 Divisor = UART_MAX_BAUD_RATE / SelectedBaudRate();
  if (Current != Divisor) {
    Programmed = FALSE;
  }
  if (Programmed) {
    return EFI_SUCCESS;
  }

  SerialRegisterWrite(UART_LCR, LCR_DLAB);
  SerialRegisterWrite(UART_DLM, (UINT8)(Divisor >> 8));
  SerialRegisterWrite(UART_DLL, (UINT8)(Divisor & 0xFF));
  SerialRegisterWrite(UART_LCR, (UINT8)(PcdUartLineControl & LCR_FORMAT_MASK));
  SerialRegisterWrite(UART_FCR, (UINT8)(PcdUartFifoControl & FCR_WRITE_MASK));
  SerialRegisterWrite(UART_MCR, MCR_CLEAR);
  return EFI_SUCCESS;
}
