// Formatted text into a sized ASCII buffer.
//
// The format language is printf-like with these differences: %a is an ASCII string and %s
// (or %S) a UCS-2 string, %c a UCS-2 character, hexadecimal digits are always upper case,
// a precision on text is both its maximum and its minimum length, "\n" comes out as CR LF,
// and %g, %t and %r print an EFI_GUID, an EFI_TIME and an EFI_STATUS name. Flags: "-" left,
// "+" and " " sign, "0" zero fill, "," thousands grouping, "l"/"L" 64-bit integer; width and
// precision are decimal digits or "*" (taken from the arguments).
//
// Every argument occupies one 64-bit slot, whatever the conversion reads from it, so pass
// integers as UINT64 (or UINTN) and pointers as pointers.
//
// The output is always NUL-terminated when BufferSize is at least 1; text that does not fit is
// cut, and the result counts the characters written, the NUL not counted. BufferSize 0 writes
// nothing and reads nothing.
#pragma once
#include <stdarg.h>

#include "Base.h"

VORQ_EXTERN_C UINTN FormatAscii(CHAR8 *Buffer, UINTN BufferSize, const CHAR8 *Format, ...);
VORQ_EXTERN_C UINTN FormatAsciiV(CHAR8 *Buffer, UINTN BufferSize, const CHAR8 *Format, va_list Marker);
