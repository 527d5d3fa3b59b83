// The crypto library's memcpy, and the compiler's: the module's overlap-safe copy.
#include <stddef.h>

#include "Library/BaseMemoryLib.h"

extern "C" void *memcpy(void *destination, const void *source, size_t length) {
  return MemCopy(destination, source, length);
}
