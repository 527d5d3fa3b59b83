// Provisional reporting: the console and the print engine are not in the module yet, so a
// report goes nowhere, which is what the shipped settings give anyway.
#include "Library/DebugLib.h"

VORQ_EXTERN_C EFI_STATUS InitDebugLibrary(VOID) { return EFI_SUCCESS; }

VORQ_EXTERN_C VOID EmitDebugMessage(UINTN ErrorLevel, const CHAR8 *Format, ...) {
  (VOID) ErrorLevel;
  (VOID) Format;
}

VORQ_EXTERN_C VOID ReportAssertion(const CHAR8 *FileName, UINTN LineNumber, const CHAR8 *Description) {
  (VOID) FileName;
  (VOID) LineNumber;
  (VOID) Description;
}
