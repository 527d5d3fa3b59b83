// A failed assertion prints one line, "ASSERT <file>(<line>): <condition>" and CR LF, cut at
// 255 characters, then stops in a breakpoint or in an endless loop when the control mask
// asks for it, and returns to the caller, which carries on as if the condition had held.
// Callers test AssertEnabled first.
//
// Formatting and measuring the line run assertions of their own (string length bounds); when
// one of those fails inside a report, its nested report is dropped, so that a string bound
// shorter than a report line cannot make reports recurse until the stack runs out. The flag
// is set only for the length of one report.
#include "DebugLibInternal.h"
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/PrintLib.h"
#include "Library/SerialPortLib.h"

static BOOLEAN mReportInProgress = FALSE;

VORQ_EXTERN_C VOID ReportAssertion(const CHAR8 *FileName, UINTN LineNumber, const CHAR8 *Description) {
  if (mReportInProgress) {
    return;
  }
  mReportInProgress = TRUE;
  CHAR8 Buffer[DEBUG_LINE_BUFFER_SIZE];
  FormatAscii(Buffer, sizeof(Buffer), "ASSERT %a(%d): %a\n", FileName, LineNumber, Description);
  SerialConsoleWrite((const UINT8 *)Buffer, AsciiStrLength(Buffer));
  mReportInProgress = FALSE;

  if ((PcdDebugControlMask & DEBUG_CONTROL_BREAKPOINT) != 0) {
    BreakToDebugger();
  } else if ((PcdDebugControlMask & DEBUG_CONTROL_HALT) != 0) {
    HaltForever();
  }
}
