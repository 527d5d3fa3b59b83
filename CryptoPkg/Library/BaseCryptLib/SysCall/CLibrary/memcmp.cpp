// memcmp: the sign of the first difference, as MemCompare gives it.
#include <stddef.h>

#include "Library/BaseMemoryLib.h"

extern "C" int memcmp(const void *first, const void *second, size_t length) {
  return (int)MemCompare(first, second, length);
}
