// Makes the console's ports reachable on this board: the LPC bridge decodes both serial
// ranges and the Super I/O configuration ports, then the Super I/O maps its serial devices.
#include "Library/IoLib.h"
#include "Library/SerialPortLib.h"
#include "LpcBridge.h"

VORQ_EXTERN_C EFI_STATUS SerialPlatformInit(VOID) {
  // One 32-bit write covers registers 0x80 to 0x83. The address register is left as it is.
  PortWrite32(PCI_CONFIG_ADDRESS, LPC_IO_DEC_ADDRESS);
  PortWrite32(PCI_CONFIG_DATA, LPC_IO_DEC_VALUE);
  ConfigureSuperIo();
  return EFI_SUCCESS;
}
