// The first constructor of the module: the serial console must run before anything reports.
// It takes no arguments and uses no service table, none being set yet.
#include "Library/DebugLib.h"
#include "Library/SerialPortLib.h"

VORQ_EXTERN_C EFI_STATUS InitDebugLibrary(VOID) { return SerialConsoleInit(); }
