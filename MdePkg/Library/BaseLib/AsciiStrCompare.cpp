// AsciiStrCompare: compares two NUL-terminated strings character by character. The result is
// the difference of the first unequal characters, each a signed CHAR8, so a byte of 0x80 or
// above compares below every ASCII character; equal strings give 0.
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseLib/String");

VORQ_EXTERN_C INTN AsciiStrCompare(const CHAR8 *FirstString, const CHAR8 *SecondString) {
  // Measuring each string applies the size function's own tests (not NULL, within the
  // length bound) to it.
  ASSERT(1292, AsciiStrSize (FirstString));
  ASSERT(1293, AsciiStrSize (SecondString));

  // A missing string compares as the empty string, as it measures as one.
  if (FirstString == NULL) {
    FirstString = "";
  }
  if (SecondString == NULL) {
    SecondString = "";
  }
  while (*FirstString != '\0' && *FirstString == *SecondString) {
    FirstString++;
    SecondString++;
  }
  return (INTN)*FirstString - (INTN)*SecondString;
}
