/* The general utilities of the freestanding crypto build. */
#ifndef OPENSSL_FREESTANDING_STDLIB_H
#define OPENSSL_FREESTANDING_STDLIB_H
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void *malloc(size_t size);
void *realloc(void *block, size_t size);
void *calloc(size_t count, size_t size);
void free(void *block);
void qsort(void *base, size_t count, size_t width, int (*compare)(const void *, const void *));
void abort(void);
void exit(int status);
int atoi(const char *string);
long strtol(const char *string, char **end, int base);
unsigned long strtoul(const char *string, char **end, int base);
long long strtoll(const char *string, char **end, int base);
unsigned long long strtoull(const char *string, char **end, int base);
char *getenv(const char *name);
char *secure_getenv(const char *name);
int abs(int value);

#define EXIT_SUCCESS 0
#define EXIT_FAILURE 1

#ifdef __cplusplus
}
#endif
#endif
