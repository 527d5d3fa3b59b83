// strcmp, which the crypto library's hash tables use as their default key comparison.
#include "Library/BaseLib.h"

extern "C" int strcmp(const char *first, const char *second) { return (int)AsciiStrCompare(first, second); }
