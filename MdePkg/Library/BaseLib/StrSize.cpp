#include "Library/BaseLib.h"

// Bytes of the string including its NUL.
VORQ_EXTERN_C UINTN StrSize(const CHAR16 *String) { return (StrLength(String) + 1) * 2; }
