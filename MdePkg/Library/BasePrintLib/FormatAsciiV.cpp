#include "Library/PrintLib.h"
#include "PrintLibInternal.h"

// ASCII format, ASCII output, writing: the only mode the module uses.
VORQ_EXTERN_C UINTN FormatAsciiV(CHAR8 *Buffer, UINTN BufferSize, const CHAR8 *Format, va_list Marker) {
  return FormatEngine(Buffer, BufferSize, 0, Format, Marker);
}
