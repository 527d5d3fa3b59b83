// The stop request that follows a failed internal check of the crypto library. It is an
// assertion and nothing more: with assertions off, as shipped, the library carries on. The
// report names the place where the library has always made this request.
#include "CrtWrapper.h"
#include "Library/DebugLib.h"

ASSERT_SOURCE("CryptoPkg/Library/OpensslLib/openssl-0.9.8zf/crypto/cryptlib");

VORQ_EXTERN_C void VORQ_CRT_NAME(abort)(void) { ASSERT(585, ((BOOLEAN)(0==1))); }
