#include "PrintLibInternal.h"

VORQ_EXTERN_C UINTN FormatNested(CHAR8 *Buffer, UINTN BufferSize, UINTN Flags, const CHAR8 *Format, ...) {
  va_list Marker;
  va_start(Marker, Format);
  const UINTN Written = FormatEngine(Buffer, BufferSize, Flags, Format, Marker);
  va_end(Marker);
  return Written;
}
