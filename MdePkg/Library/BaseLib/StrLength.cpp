// The length of a UCS-2 string in 16-bit characters. With a nonzero
// PcdMaximumUnicodeStringLength every character beyond the bound is reported, and the full
// length is still returned.
#include "FixedSettings.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

ASSERT_SOURCE("MdePkg/Library/BaseLib/String");

VORQ_EXTERN_C UINTN StrLength(const CHAR16 *String) {
  ASSERT(170, String != ((void *) 0));
  if (String == NULL) {
    return 0;  // a missing string measures as empty
  }
  const UINT32 _gPcd_FixedAtBuild_PcdMaximumUnicodeStringLength = PcdMaximumUnicodeStringLength;
  UINTN Length = 0;
  for (; String[Length] != 0; Length++) {
    if (_gPcd_FixedAtBuild_PcdMaximumUnicodeStringLength != 0) {
      ASSERT(181, Length < _gPcd_FixedAtBuild_PcdMaximumUnicodeStringLength);
    }
  }
  return Length;
}
