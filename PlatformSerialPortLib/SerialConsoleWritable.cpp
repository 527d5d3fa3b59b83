// Flow control by the modem status lines:
//
//   DSR CTS   no cable detect   cable detect
//    0   0    send              wait
//    0   1    send              wait
//    1   0    wait              wait
//    1   1    send              send
//
// Without cable detect only a peer that is there (DSR) and holds back (no CTS) stops the
// console; with it, the console sends only to a connected peer that is clear to send.
#include "FixedSettings.h"
#include "Library/SerialPortLib.h"
#include "Uart16550.h"

VORQ_EXTERN_C BOOLEAN SerialConsoleWritable(VOID) {
  if (!PcdUartFlowControl) {
    return TRUE;
  }
  const UINT8 Lines = SerialRegisterRead(UART_MSR) & (MSR_DSR | MSR_CTS);
  if (PcdUartCableDetect) {
    return Lines == (MSR_DSR | MSR_CTS) ? TRUE : FALSE;
  }
  return Lines != MSR_DSR ? TRUE : FALSE;
}
