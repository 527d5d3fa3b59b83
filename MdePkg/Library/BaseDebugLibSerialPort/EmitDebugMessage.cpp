// A debug message goes out when its level shares a bit with the message level setting; it
// is formatted into one line buffer, cut at 255 characters, and written to the console.
// Callers test DebugMessageEnabled first.
#include <stdarg.h>

#include "DebugLibInternal.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/PrintLib.h"
#include "Library/SerialPortLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseDebugLibSerialPort/DebugLib");

VORQ_EXTERN_C VOID EmitDebugMessage(UINTN ErrorLevel, const CHAR8 *Format, ...) {
  ASSERT(79, Format != ((void *) 0));
  if (Format == NULL) {
    return;  // nothing to format
  }
  if ((ErrorLevel & (UINTN)GetDebugMessageLevel()) == 0) {
    return;
  }

  CHAR8 Buffer[DEBUG_LINE_BUFFER_SIZE];
  va_list Marker;
  va_start(Marker, Format);
  FormatAsciiV(Buffer, sizeof(Buffer), Format, Marker);
  va_end(Marker);
  SerialConsoleWrite((const UINT8 *)Buffer, AsciiStrLength(Buffer));
}
