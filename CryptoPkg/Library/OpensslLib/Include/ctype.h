/* Character classes of the C locale. */
#ifndef OPENSSL_FREESTANDING_CTYPE_H
#define OPENSSL_FREESTANDING_CTYPE_H
#ifdef __cplusplus
extern "C" {
#endif
int isspace(int c);
int isdigit(int c);
int isxdigit(int c);
int isalpha(int c);
int isalnum(int c);
int isupper(int c);
int islower(int c);
int isprint(int c);
int iscntrl(int c);
int ispunct(int c);
int tolower(int c);
int toupper(int c);
#ifdef __cplusplus
}
#endif
#endif
