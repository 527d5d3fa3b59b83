#include "Library/PrintLib.h"

VORQ_EXTERN_C UINTN FormatAscii(CHAR8 *Buffer, UINTN BufferSize, const CHAR8 *Format, ...) {
  va_list Marker;
  va_start(Marker, Format);
  const UINTN Written = FormatAsciiV(Buffer, BufferSize, Format, Marker);
  va_end(Marker);
  return Written;
}
