// Records the module's assertion reports in a test process instead of printing them.
// Tests link with --wrap=ReportAssertion (vorq_add_module_test RECORD_ASSERTIONS).
#pragma once
#include <string>
#include <vector>

#include "FixedSettings.h"

struct RecordedAssertion {
  std::string File;
  unsigned long long Line;
  std::string Text;
  bool operator==(const RecordedAssertion &) const = default;
};

// The reports since the last Clear ().
std::vector<RecordedAssertion> &RecordedAssertions();
void ClearRecordedAssertions();

// Turns assertions on for the life of the object (PcdDebugControlMask 0x01), recording
// from a clean list, and restores the setting afterwards.
class AssertionsEnabled {
 public:
  AssertionsEnabled() : Saved(PcdDebugControlMask) {
    PcdDebugControlMask = 0x01;
    ClearRecordedAssertions();
  }
  ~AssertionsEnabled() { PcdDebugControlMask = Saved; }
  AssertionsEnabled(const AssertionsEnabled &) = delete;
  AssertionsEnabled &operator=(const AssertionsEnabled &) = delete;

 private:
  UINT8 Saved;
};
