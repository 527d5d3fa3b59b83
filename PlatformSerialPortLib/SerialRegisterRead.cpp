#include "FixedSettings.h"
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"

VORQ_EXTERN_C UINT8 SerialRegisterRead(UINTN Offset) {
  if (PcdUartIsMmio) {
    return MmioLoad8(PcdUartBase + Offset);
  }
  return PortRead8((UINT16)PcdUartBase + Offset);
}
