#include "Library/BaseLib.h"

// Bytes of the string including its NUL.
VORQ_EXTERN_C UINTN AsciiStrSize(const CHAR8 *String) { return AsciiStrLength(String) + 1; }
