#include <stddef.h>

#include "Library/BaseLib.h"

extern "C" size_t strlen(const char *string) { return AsciiStrLength(string); }
