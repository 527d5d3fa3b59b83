// The print engine behind FormatAscii and FormatAsciiV: one routine driven by a flags word.
//
// The caller chooses the mode with three bits of Flags (FMT_MODE_MASK): 16-bit format
// characters, 16-bit output characters, and counting without writing. The engine keeps those
// and clears every other bit at each format character; the other bits describe the
// conversion being read.
#pragma once
#include <stdarg.h>

#include "Base.h"

#define FMT_LEFT 0x0001           // "-": pad on the right
#define FMT_PLUS 0x0002           // "+", or a negative decimal: sign character "+" / "-"
#define FMT_SPACE 0x0004          // " ": sign character " " unless FMT_PLUS
#define FMT_GROUP 0x0008          // ",": group decimal digits by three
#define FMT_WIDE 0x0010           // "l", "L", %p: the integer is 64 bits wide
#define FMT_ZERO 0x0020           // "0" before any ".", %X, %p: zero-fill a number to the width
#define FMT_OUT_UCS2 0x0040       // mode: output characters are 16-bit
#define FMT_HEX 0x0080            // %x, %X, %p: radix 16
#define FMT_IN_UCS2 0x0100        // mode: format characters are 16-bit
#define FMT_HAS_WIDTH 0x0200      // a width was given
#define FMT_ARG_UCS2 0x0400       // the text to emit has 16-bit characters
#define FMT_HAS_PRECISION 0x0800  // a precision was given
#define FMT_REVERSED 0x1000       // the text is a number, read from its last byte backwards
#define FMT_COUNT_ONLY 0x2000     // mode: write nothing, count only

#define FMT_MODE_MASK (FMT_OUT_UCS2 | FMT_IN_UCS2 | FMT_COUNT_ONLY)

// Room for the digits of any 64-bit number and for the longest nested text (a GUID, 36
// characters, and its NUL).
#define FMT_SCRATCH_SIZE 38

// Formats into Buffer, BufferSize output characters including the terminator. Returns the
// characters written, or with FMT_COUNT_ONLY the characters the output would have.
VORQ_EXTERN_C UINTN FormatEngine(CHAR8 *Buffer, UINTN BufferSize, UINTN Flags, const CHAR8 *Format,
                                 va_list Marker);

// FormatEngine with its arguments given in place; the engine formats GUIDs, times and status
// codes through it.
VORQ_EXTERN_C UINTN FormatNested(CHAR8 *Buffer, UINTN BufferSize, UINTN Flags, const CHAR8 *Format, ...);

// Writes Character Count times (nothing when Count is 0 or less), one byte or two bytes low
// byte first each, never at or beyond EndBuffer. Returns the advanced Buffer.
VORQ_EXTERN_C CHAR8 *FillChars(CHAR8 *Buffer, CHAR8 *EndBuffer, INTN Count, UINT16 Character,
                               UINTN BytesPerCharacter);

// Stores a NUL at Buffer[0], then the digits of Value in Radix (10 or 16) from the least
// significant one up. Returns the position of the most significant digit; the number reads
// from there backwards down to Buffer[1].
VORQ_EXTERN_C CHAR8 *ValueToDigits(CHAR8 *Buffer, UINT64 Value, UINT32 Radix);

// The names %r prints: the five success and warning names at 0 to 4, error n at 4 + n.
#define STATUS_NAME_WARNING_LAST 4
#define STATUS_NAME_ERROR_LAST 24
VORQ_EXTERN_C const CHAR8 *const StatusNameTable[5 + STATUS_NAME_ERROR_LAST];
