/*
 * Functions that the crypto library's RSA and ASN.1 code refers to but that a public-key
 * verification never calls: digests through the EVP layer (OAEP and PSS padding), HMAC
 * (implicit rejection in private decryption), random numbers (blinding, padding for
 * encryption), parameter arrays (key-management controls) and printing through BIO. The
 * layers behind them are not in the image. Each function here fails the way its real one
 * reports failure, so that a call that did arrive could only make the operation fail.
 */
#include "Base.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/params.h>
#include <openssl/rand.h>

#include "crypto/evp.h"

/* Digests. */
int EVP_Digest(const void *data, size_t count, unsigned char *md, unsigned int *size, const EVP_MD *type,
               ENGINE *impl) {
  (void)data; (void)count; (void)md; (void)size; (void)type; (void)impl;
  return 0;
}
int EVP_DigestInit_ex(EVP_MD_CTX *ctx, const EVP_MD *type, ENGINE *impl) {
  (void)ctx; (void)type; (void)impl;
  return 0;
}
int EVP_DigestUpdate(EVP_MD_CTX *ctx, const void *d, size_t cnt) {
  (void)ctx; (void)d; (void)cnt;
  return 0;
}
int EVP_DigestFinal_ex(EVP_MD_CTX *ctx, unsigned char *md, unsigned int *s) {
  (void)ctx; (void)md; (void)s;
  return 0;
}
EVP_MD_CTX *EVP_MD_CTX_new(void) { return NULL; }
void EVP_MD_CTX_free(EVP_MD_CTX *ctx) { (void)ctx; }
EVP_MD *EVP_MD_fetch(OSSL_LIB_CTX *ctx, const char *algorithm, const char *properties) {
  (void)ctx; (void)algorithm; (void)properties;
  return NULL;
}
void EVP_MD_free(EVP_MD *md) { (void)md; }
int EVP_MD_get_size(const EVP_MD *md) {
  (void)md;
  return -1;
}
int EVP_MD_get_type(const EVP_MD *md) {
  (void)md;
  return NID_undef;
}
int EVP_MD_is_a(const EVP_MD *md, const char *name) {
  (void)md; (void)name;
  return 0;
}
const EVP_MD *EVP_get_digestbyname(const char *name) {
  (void)name;
  return NULL;
}
const EVP_MD *EVP_sha1(void) { return NULL; }

/* Key contexts and their parameters. */
int EVP_PKEY_CTX_ctrl(EVP_PKEY_CTX *ctx, int keytype, int optype, int cmd, int p1, void *p2) {
  (void)ctx; (void)keytype; (void)optype; (void)cmd; (void)p1; (void)p2;
  return -2;
}
int EVP_PKEY_CTX_get_params(EVP_PKEY_CTX *ctx, OSSL_PARAM *params) {
  (void)ctx; (void)params;
  return 0;
}
int EVP_PKEY_CTX_is_a(EVP_PKEY_CTX *ctx, const char *keytype) {
  (void)ctx; (void)keytype;
  return 0;
}
int evp_pkey_ctx_get_params_strict(EVP_PKEY_CTX *ctx, OSSL_PARAM *params) {
  (void)ctx; (void)params;
  return 0;
}
int evp_pkey_ctx_set_params_strict(EVP_PKEY_CTX *ctx, OSSL_PARAM *params) {
  (void)ctx; (void)params;
  return 0;
}
const char *evp_pkey_type2name(int type) {
  (void)type;
  return NULL;
}

static OSSL_PARAM EndOfParameters(void) {
  OSSL_PARAM End = { NULL, 0, NULL, 0, 0 };
  return End;
}
OSSL_PARAM OSSL_PARAM_construct_end(void) { return EndOfParameters(); }
OSSL_PARAM OSSL_PARAM_construct_int(const char *key, int *buf) {
  (void)key; (void)buf;
  return EndOfParameters();
}
OSSL_PARAM OSSL_PARAM_construct_size_t(const char *key, size_t *buf) {
  (void)key; (void)buf;
  return EndOfParameters();
}
OSSL_PARAM OSSL_PARAM_construct_utf8_string(const char *key, char *buf, size_t bsize) {
  (void)key; (void)buf; (void)bsize;
  return EndOfParameters();
}
OSSL_PARAM OSSL_PARAM_construct_octet_string(const char *key, void *buf, size_t bsize) {
  (void)key; (void)buf; (void)bsize;
  return EndOfParameters();
}
OSSL_PARAM OSSL_PARAM_construct_octet_ptr(const char *key, void **buf, size_t bsize) {
  (void)key; (void)buf; (void)bsize;
  return EndOfParameters();
}

/* HMAC. */
HMAC_CTX *HMAC_CTX_new(void) { return NULL; }
void HMAC_CTX_free(HMAC_CTX *ctx) { (void)ctx; }
int HMAC_Init_ex(HMAC_CTX *ctx, const void *key, int len, const EVP_MD *md, ENGINE *impl) {
  (void)ctx; (void)key; (void)len; (void)md; (void)impl;
  return 0;
}
int HMAC_Update(HMAC_CTX *ctx, const unsigned char *data, size_t len) {
  (void)ctx; (void)data; (void)len;
  return 0;
}
int HMAC_Final(HMAC_CTX *ctx, unsigned char *md, unsigned int *len) {
  (void)ctx; (void)md; (void)len;
  return 0;
}

/* Random numbers: the module has no entropy source in SMM. */
int RAND_bytes_ex(OSSL_LIB_CTX *ctx, unsigned char *buf, size_t num, unsigned int strength) {
  (void)ctx; (void)buf; (void)num; (void)strength;
  return 0;
}
int RAND_priv_bytes_ex(OSSL_LIB_CTX *ctx, unsigned char *buf, size_t num, unsigned int strength) {
  (void)ctx; (void)buf; (void)num; (void)strength;
  return 0;
}

/* Printing: there is nowhere to print to. */
int BIO_snprintf(char *buf, size_t n, const char *format, ...) {
  (void)format;
  if (buf != NULL && n > 0) {
    buf[0] = '\0';
  }
  return -1;
}
int BIO_printf(BIO *bio, const char *format, ...) {
  (void)bio; (void)format;
  return -1;
}
int BIO_puts(BIO *bp, const char *buf) {
  (void)bp; (void)buf;
  return -1;
}
int BIO_write(BIO *b, const void *data, int dlen) {
  (void)b; (void)data; (void)dlen;
  return -1;
}
int BIO_gets(BIO *bp, char *buf, int size) {
  (void)bp; (void)buf; (void)size;
  return -1;
}
int BIO_dump(BIO *b, const void *bytes, int len) {
  (void)b; (void)bytes; (void)len;
  return -1;
}
