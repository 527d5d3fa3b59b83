// memchr: MemScan8 takes the length before the byte value.
#include <stddef.h>

#include "Library/BaseMemoryLib.h"

extern "C" void *memchr(const void *buffer, int value, size_t length) {
  return MemScan8(buffer, length, (UINT8)value);
}
