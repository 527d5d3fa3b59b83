// Access to the components of OpenSSL's RSA object, which is opaque to the public interface:
// its setters cannot clear a component or replace one alone. The accessor is compiled with
// the crypto library's own internal layout of the object.
#pragma once
#include "Base.h"

typedef struct rsa_st RSA;
typedef struct bignum_st BIGNUM;

// The component that Tag (0 to 7, in the order n, e, d, p, q, dmp1, dmq1, iqmp) names.
VORQ_EXTERN_C BIGNUM *RsaGetComponent(const RSA *Rsa, UINT32 Tag);
// Puts Value (NULL clears) in place of the component Tag names; the caller has released the
// old one. Montgomery values cached for the old modulus or primes are released too, so that
// an operation after the change never uses numbers of the old key.
VORQ_EXTERN_C VOID RsaPutComponent(RSA *Rsa, UINT32 Tag, BIGNUM *Value);
