// The length of an ASCII string. With a nonzero PcdMaximumAsciiStringLength every character
// beyond the bound is reported, and the full length is still returned.
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseLib/String");

VORQ_EXTERN_C UINTN AsciiStrLength(const CHAR8 *String) {
  ASSERT(1216, String != ((void *) 0));
  if (String == NULL) {
    return 0;  // a missing string measures as empty
  }
  const UINT32 _gPcd_FixedAtBuild_PcdMaximumAsciiStringLength = PcdMaximumAsciiStringLength;
  UINTN Length = 0;
  for (; String[Length] != '\0'; Length++) {
    if (_gPcd_FixedAtBuild_PcdMaximumAsciiStringLength != 0) {
      ASSERT(1224, Length < _gPcd_FixedAtBuild_PcdMaximumAsciiStringLength);
    }
  }
  return Length;
}
