// Sends the bytes in bursts sized to the FIFO. Before each burst:
//
// 1. The interrupt identification must show the FIFOs on (bits 0xC0); a UART that reports
//    them off ends the write with result 0, whatever was sent before.
// 2. The transmitter must be empty (line status 0x40), so the whole burst fits.
//
// Every byte also waits for SerialConsoleWritable. A wait that gives up (see SerialWait.h)
// ends the write with result 0.
#include "FixedSettings.h"
#include "Library/SerialPortLib.h"
#include "SerialWait.h"
#include "Uart16550.h"

namespace {

BOOLEAN WaitForTransmitterEmpty(VOID) {
  for (UINT32 Poll = 0; Poll < mSerialWaitPolls; Poll++) {
    if ((SerialRegisterRead(UART_LSR) & LSR_TEMT) != 0) {
      return TRUE;
    }
  }
  return FALSE;
}

BOOLEAN WaitForWritable(VOID) {
  for (UINT32 Poll = 0; Poll < mSerialWaitPolls; Poll++) {
    if (SerialConsoleWritable()) {
      return TRUE;
    }
  }
  return FALSE;
}

UINTN BurstSize(VOID) {
  if ((PcdUartFifoControl & FCR_FIFO_ENABLE) == 0) {
    return UART_BURST_NO_FIFO;
  }
  return (PcdUartFifoControl & FCR_64_BYTE_FIFO) != 0 ? UART_BURST_FIFO_64 : UART_BURST_FIFO_16;
}

}  // namespace

VORQ_EXTERN_C UINTN SerialConsoleWrite(const UINT8 *Buffer, UINTN NumberOfBytes) {
  if (Buffer == NULL) {
    return 0;
  }
  if (NumberOfBytes == 0) {
    // A flush: the result is 0 whether or not the waits succeed.
    if (WaitForTransmitterEmpty()) {
      WaitForWritable();
    }
    return 0;
  }

  const UINTN Burst = BurstSize();
  UINTN Sent = 0;
  while (Sent < NumberOfBytes) {
    if ((SerialRegisterRead(UART_IIR) & IIR_FIFOS_ENABLED) == 0) {
      return 0;
    }
    if (!WaitForTransmitterEmpty()) {
      return 0;
    }
    for (UINTN Index = 0; Index < Burst && Sent < NumberOfBytes; Index++) {
      if (!WaitForWritable()) {
        return 0;
      }
      SerialRegisterWrite(UART_THR, Buffer[Sent]);
      Sent++;
    }
  }
  return NumberOfBytes;
}
