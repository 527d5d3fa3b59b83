// A failed assertion prints one line, "ASSERT <file>(<line>): <condition>" and CR LF, cut at
// 255 characters, then stops in a breakpoint or in an endless loop when the control mask
// asks for it, and returns to the caller, which carries on as if the condition had held.
// Callers test AssertEnabled first.
#include "DebugLibInternal.h"
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/PrintLib.h"
#include "Library/SerialPortLib.h"

VORQ_EXTERN_C VOID ReportAssertion(const CHAR8 *FileName, UINTN LineNumber, const CHAR8 *Description) {
  CHAR8 Buffer[DEBUG_LINE_BUFFER_SIZE];
  FormatAscii(Buffer, sizeof(Buffer), "ASSERT %a(%d): %a\n", FileName, LineNumber, Description);
  SerialConsoleWrite((const UINT8 *)Buffer, AsciiStrLength(Buffer));

  if ((PcdDebugControlMask & DEBUG_CONTROL_BREAKPOINT) != 0) {
    BreakToDebugger();
  } else if ((PcdDebugControlMask & DEBUG_CONTROL_HALT) != 0) {
    HaltForever();
  }
}
