/* The freestanding crypto build has no files: stderr is a null handle and printing to a
 * stream prints nothing. */
#ifndef OPENSSL_FREESTANDING_STDIO_H
#define OPENSSL_FREESTANDING_STDIO_H
#include <stdarg.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FreestandingFile FILE;
extern FILE *stderr;
#define EOF (-1)
#define BUFSIZ 512

int vfprintf(FILE *stream, const char *format, va_list arguments);
int fprintf(FILE *stream, const char *format, ...);
int printf(const char *format, ...);
int sscanf(const char *string, const char *format, ...);
int snprintf(char *buffer, size_t size, const char *format, ...);
int vsnprintf(char *buffer, size_t size, const char *format, va_list arguments);

#ifdef __cplusplus
}
#endif
#endif
