// Sets one component of an RSA context from big-endian bytes, or clears it.
#include "Library/BaseCryptLib.h"

#include <openssl/bn.h>
#include <openssl/rsa.h>

#include "RsaComponentSlot.h"

VORQ_EXTERN_C BOOLEAN RsaSetKeyComponent(VOID *Rsa, RSA_KEY_COMPONENT Tag, const UINT8 *Value, UINTN ValueSize) {
  if (Rsa == NULL || ValueSize > 0x7FFFFFFF) {
    return FALSE;
  }
  if ((UINT32)Tag > RsaComponentQInv) {
    return FALSE;
  }

  RSA *Key = static_cast<RSA *>(Rsa);
  // The plain release, not the clearing one: the numbers are public or are replaced anyway.
  BN_free(RsaGetComponent(Key, Tag));
  RsaPutComponent(Key, Tag, NULL);
  if (Value == NULL) {
    return TRUE;
  }

  // ValueSize fits a non-negative int after the bound above; 0 bytes give the number zero.
  BIGNUM *Number = BN_bin2bn(Value, (int)ValueSize, NULL);
  if (Number == NULL) {
    return FALSE;
  }
  RsaPutComponent(Key, Tag, Number);
  return TRUE;
}
