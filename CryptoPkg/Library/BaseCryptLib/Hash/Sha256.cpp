// SHA-256 over OpenSSL's low-level interface, on a context block that the caller owns.
#include "Library/BaseCryptLib.h"

#include <openssl/sha.h>

static_assert(sizeof(SHA256_CTX) == 112, "the SHA-256 context block callers allocate");

VORQ_EXTERN_C UINTN Sha256ContextSize(VOID) { return sizeof(SHA256_CTX); }

VORQ_EXTERN_C BOOLEAN Sha256Start(VOID *Context) {
  if (Context == NULL) {
    return FALSE;
  }
  return (BOOLEAN)SHA256_Init(static_cast<SHA256_CTX *>(Context));
}

VORQ_EXTERN_C BOOLEAN Sha256Feed(VOID *Context, const VOID *Bytes, UINTN ByteCount) {
  if (Context == NULL) {
    return FALSE;
  }
  if (Bytes == NULL && ByteCount != 0) {
    return FALSE;
  }
  return (BOOLEAN)SHA256_Update(static_cast<SHA256_CTX *>(Context), Bytes, ByteCount);
}

VORQ_EXTERN_C BOOLEAN Sha256Finish(VOID *Context, UINT8 *Digest) {
  if (Context == NULL || Digest == NULL) {
    return FALSE;
  }
  return (BOOLEAN)SHA256_Final(Digest, static_cast<SHA256_CTX *>(Context));
}
