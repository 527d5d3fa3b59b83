// The module's crypto adapter: SHA-256 and RSA PKCS#1 v1.5 signature verification over
// OpenSSL. Each operation tests its arguments first, in the order documented with it, and a
// failed test returns FALSE without calling the crypto library.
#pragma once
#include "Base.h"

// Names the component of an RSA context that RsaSetKeyComponent sets.
typedef enum : UINT32 {
  RsaComponentN = 0,     // modulus n
  RsaComponentE = 1,     // public exponent e
  RsaComponentD = 2,     // private exponent d
  RsaComponentP = 3,     // first prime p
  RsaComponentQ = 4,     // second prime q
  RsaComponentDp = 5,    // d mod (p - 1)
  RsaComponentDq = 6,    // d mod (q - 1)
  RsaComponentQInv = 7,  // q^-1 mod p
} RSA_KEY_COMPONENT;

// The size in bytes of a SHA-256 context block, which the caller allocates.
VORQ_EXTERN_C UINTN Sha256ContextSize(VOID);
// Tests: Context NULL.
VORQ_EXTERN_C BOOLEAN Sha256Start(VOID *Context);
// Tests: Context NULL; Bytes NULL while ByteCount is not 0. ByteCount 0 changes nothing.
VORQ_EXTERN_C BOOLEAN Sha256Feed(VOID *Context, const VOID *Bytes, UINTN ByteCount);
// Tests: Context NULL; Digest NULL. Digest receives 32 bytes.
VORQ_EXTERN_C BOOLEAN Sha256Finish(VOID *Context, UINT8 *Digest);

// A new RSA context, or NULL when memory is short.
VORQ_EXTERN_C VOID *RsaContextNew(VOID);
// Releases an RSA context; NULL is harmless.
VORQ_EXTERN_C VOID RsaContextFree(VOID *Rsa);
// Replaces one component with the big-endian number in Value (ValueSize bytes); a NULL Value
// clears it. Tests: Rsa NULL; ValueSize above 0x7FFFFFFF; Tag above 7.
VORQ_EXTERN_C BOOLEAN RsaSetKeyComponent(VOID *Rsa, RSA_KEY_COMPONENT Tag, const UINT8 *Value, UINTN ValueSize);
// TRUE when Signature is a valid RSASSA-PKCS1-v1_5 signature under the context's public key
// over the digest, whose size (16, 20 or 32) selects MD5, SHA-1 or SHA-256. Tests: Rsa NULL;
// Digest NULL; Signature NULL; SignatureSize above 0x7FFFFFFF; SignatureSize 0; DigestSize
// other than 16, 20 or 32.
VORQ_EXTERN_C BOOLEAN RsaPkcs1VerifyDigest(VOID *Rsa, const UINT8 *Digest, UINTN DigestSize, const UINT8 *Signature,
                                           UINTN SignatureSize);
