// RSA context life: OpenSSL's RSA object with its default method.
#include "Library/BaseCryptLib.h"

#include <openssl/rsa.h>

VORQ_EXTERN_C VOID *RsaContextNew(VOID) { return RSA_new(); }

VORQ_EXTERN_C VOID RsaContextFree(VOID *Rsa) { RSA_free(static_cast<RSA *>(Rsa)); }
