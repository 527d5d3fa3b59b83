/*
 * The crypto library's thread primitives for a module that runs on one processor at a time.
 * A lock guards nothing here, so every lock is the same static word: making one allocates
 * nothing, and no lock the library creates lazily (the object table's, at the first lookup of
 * an unknown identifier) stays behind in the pool after the call that created it.
 */
#include "Base.h"

#include <openssl/crypto.h>

/* Reads 1 for as long as the module runs, like every lock of the library's single-threaded
 * kind. */
static unsigned int mLockWord = 1;

CRYPTO_RWLOCK *CRYPTO_THREAD_lock_new(void) { return (CRYPTO_RWLOCK *)&mLockWord; }

void CRYPTO_THREAD_lock_free(CRYPTO_RWLOCK *lock) { (void)lock; }

int CRYPTO_THREAD_read_lock(CRYPTO_RWLOCK *lock) { return lock != NULL; }

int CRYPTO_THREAD_write_lock(CRYPTO_RWLOCK *lock) { return lock != NULL; }

int CRYPTO_THREAD_unlock(CRYPTO_RWLOCK *lock) { return lock != NULL; }

/* CRYPTO_ONCE is an int that reads 0 until the routine has run. */
int CRYPTO_THREAD_run_once(CRYPTO_ONCE *once, void (*init)(void)) {
  if (*once == 0) {
    init();
    *once = 1;
  }
  return 1;
}

CRYPTO_THREAD_ID CRYPTO_THREAD_get_current_id(void) { return 0; }

int CRYPTO_THREAD_compare_id(CRYPTO_THREAD_ID a, CRYPTO_THREAD_ID b) { return a == b; }
