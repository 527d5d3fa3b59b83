#include "AssertionRecorder.h"

#include "Library/DebugLib.h"

std::vector<RecordedAssertion> &RecordedAssertions() {
  static std::vector<RecordedAssertion> Reports;
  return Reports;
}

void ClearRecordedAssertions() { RecordedAssertions().clear(); }

extern "C" VOID __wrap_ReportAssertion(const CHAR8 *FileName, UINTN LineNumber, const CHAR8 *Description) {
  RecordedAssertions().push_back({FileName, LineNumber, Description});
}
