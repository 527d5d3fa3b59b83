/* The string and memory functions of the freestanding crypto build. */
#ifndef OPENSSL_FREESTANDING_STRING_H
#define OPENSSL_FREESTANDING_STRING_H
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

void *memcpy(void *destination, const void *source, size_t length);
void *memmove(void *destination, const void *source, size_t length);
void *memset(void *buffer, int value, size_t length);
int memcmp(const void *first, const void *second, size_t length);
void *memchr(const void *buffer, int value, size_t length);
size_t strlen(const char *string);
int strcmp(const char *first, const char *second);
int strncmp(const char *first, const char *second, size_t length);
char *strcpy(char *destination, const char *source);
char *strncpy(char *destination, const char *source, size_t length);
char *strcat(char *destination, const char *source);
char *strncat(char *destination, const char *source, size_t length);
char *strchr(const char *string, int character);
char *strrchr(const char *string, int character);
char *strstr(const char *string, const char *needle);
size_t strspn(const char *string, const char *accept);
size_t strcspn(const char *string, const char *reject);
char *strpbrk(const char *string, const char *accept);
char *strdup(const char *string);
char *strerror(int error);
int strcasecmp(const char *first, const char *second);
int strncasecmp(const char *first, const char *second, size_t length);

/*
 * A memset written in the crypto library's source is the module's MemSet, which takes the
 * count before the fill value. Fills that the compiler generates reach the memset symbol
 * itself.
 */
void *MemSet(void *Buffer, unsigned long long Length, unsigned char Value);
#define memset(buffer, value, length) MemSet((buffer), (length), (unsigned char)(value))

#ifdef __cplusplus
}
#endif
#endif
