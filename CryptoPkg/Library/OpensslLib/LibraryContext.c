/*
 * The crypto library's context, as far as the module reaches it. The library's own context
 * brings up provider, method, property, random and decoder stores at first use; the RSA
 * public-key operation and the DER codec need none of them, only the table of extra data that
 * every RSA object carries. That table lives here, in static data, with its lock in place
 * from the start, so that no call ever allocates state that outlives it.
 */
#include "Base.h"

#include "internal/cryptlib.h"

/* A lock of the library's single-threaded kind is a word that reads 1 while it exists. */
static unsigned int mExtraDataLock = 1;

static OSSL_EX_DATA_GLOBAL mExtraDataGlobal = {
  .ex_data_lock = (CRYPTO_RWLOCK *)&mExtraDataLock,
};

OSSL_EX_DATA_GLOBAL *ossl_lib_ctx_get_ex_data_global(OSSL_LIB_CTX *ctx) {
  (void)ctx;
  return &mExtraDataGlobal;
}
