// The memset symbol, which only compiler-generated fills reach: a memset written in the
// crypto library's source is routed to MemSet by its header. The count is taken as 32 bits,
// as RuntimeByteFill takes it.
#include <stddef.h>

#include "Library/BaseMemoryLib.h"

extern "C" void *memset(void *buffer, int value, size_t length) {
  return RuntimeByteFill(buffer, value, (UINT32)length);
}
