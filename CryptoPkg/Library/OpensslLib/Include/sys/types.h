#ifndef OPENSSL_FREESTANDING_SYS_TYPES_H
#define OPENSSL_FREESTANDING_SYS_TYPES_H
#include <stddef.h>
typedef long long ssize_t;
typedef long long off_t;
typedef int pid_t;
typedef unsigned int uid_t;
typedef unsigned int gid_t;
typedef unsigned int mode_t;
#endif
