// memmove: MemCopy already copies correctly between overlapping ranges.
#include <stddef.h>

#include "Library/BaseMemoryLib.h"

extern "C" void *memmove(void *destination, const void *source, size_t length) {
  return MemCopy(destination, source, length);
}
