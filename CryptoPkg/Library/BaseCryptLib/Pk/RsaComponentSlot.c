/*
 * The RSA object's components by tag, for RsaSetKeyComponent. This file is C and is compiled
 * against the crypto library's internal headers, so it follows the object's true layout in
 * the library it is linked with.
 */
#include "Base.h"

#include <openssl/bn.h>

#include "crypto/rsa/rsa_local.h"

static BIGNUM **ComponentSlot(RSA *Rsa, UINT32 Tag) {
  switch (Tag) {
    case 0: return &Rsa->n;
    case 1: return &Rsa->e;
    case 2: return &Rsa->d;
    case 3: return &Rsa->p;
    case 4: return &Rsa->q;
    case 5: return &Rsa->dmp1;
    case 6: return &Rsa->dmq1;
    case 7: return &Rsa->iqmp;
    default: return NULL;
  }
}

BIGNUM *RsaGetComponent(const RSA *Rsa, UINT32 Tag) {
  BIGNUM **Slot = ComponentSlot((RSA *)Rsa, Tag);
  return Slot == NULL ? NULL : *Slot;
}

VOID RsaPutComponent(RSA *Rsa, UINT32 Tag, BIGNUM *Value) {
  BIGNUM **Slot = ComponentSlot(Rsa, Tag);
  if (Slot == NULL) {
    return;
  }
  *Slot = Value;
  /* Montgomery values are computed from n, p and q on first use and kept in the object. */
  if (Tag == 0) {
    BN_MONT_CTX_free(Rsa->_method_mod_n);
    Rsa->_method_mod_n = NULL;
  } else if (Tag == 3) {
    BN_MONT_CTX_free(Rsa->_method_mod_p);
    Rsa->_method_mod_p = NULL;
  } else if (Tag == 4) {
    BN_MONT_CTX_free(Rsa->_method_mod_q);
    Rsa->_method_mod_q = NULL;
  }
  Rsa->dirty_cnt++;
}
