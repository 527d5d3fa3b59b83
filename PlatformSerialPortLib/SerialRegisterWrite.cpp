#include "FixedSettings.h"
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"

VORQ_EXTERN_C VOID SerialRegisterWrite(UINTN Offset, UINT8 Value) {
  if (PcdUartIsMmio) {
    MmioStore8(PcdUartBase + Offset, Value);
    return;
  }
  PortWrite8((UINT16)PcdUartBase + Offset, Value);
}
