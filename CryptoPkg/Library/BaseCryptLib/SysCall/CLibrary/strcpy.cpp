// strcpy and strncpy, reached only by the crypto library's string duplication and text
// conversions, which a verification never calls. They copy exactly as the C library does.
#include <stddef.h>

extern "C" char *strcpy(char *destination, const char *source) {
  char *Cursor = destination;
  while ((*Cursor++ = *source++) != '\0') {
  }
  return destination;
}

extern "C" char *strncpy(char *destination, const char *source, size_t length) {
  size_t Index = 0;
  for (; Index < length && source[Index] != '\0'; Index++) {
    destination[Index] = source[Index];
  }
  for (; Index < length; Index++) {
    destination[Index] = '\0';
  }
  return destination;
}
