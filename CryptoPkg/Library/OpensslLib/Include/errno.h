#ifndef OPENSSL_FREESTANDING_ERRNO_H
#define OPENSSL_FREESTANDING_ERRNO_H
extern int errno;
#define EINVAL 22
#define ERANGE 34
#define ENOMEM 12
#define EINTR 4
#define EAGAIN 11
#define ENOENT 2
#define EEXIST 17
#endif
