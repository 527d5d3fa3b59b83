// RSASSA-PKCS1-v1_5 verification of a digest, built from the crypto library's own pieces:
// the RSA public-key operation with its block type 1 check, and the DER codec of the
// DigestInfo.
//
// The signature s (k bytes, k the byte length of n) is turned into the block
//
//   EM = s^e mod n = 00 01 FF .. FF 00 || DigestInfo
//
//   DigestInfo ::= SEQUENCE {                       30 L
//     digestAlgorithm AlgorithmIdentifier,           30 L 06 L <oid> [05 00]
//     digest          OCTET STRING }                 04 L <digest>
//
// and accepted only when every rule below holds, checked in this order:
//   1. the signature is exactly k bytes long;
//   2. s < n, and EM has the type 1 padding: 00 01, at least eight FF, then 00
//      (the public-key operation checks both);
//   3. the DigestInfo decodes as DER and takes up the whole rest of EM;
//   4. it encodes back to exactly the same bytes (no other encoding of the same value);
//   5. the algorithm's parameters are absent or an ASN.1 NULL;
//   6. the algorithm is the one the digest length selects: MD5 (also given as MD5 with RSA
//      encryption), SHA-1 or SHA-256;
//   7. the digest has the given length and equals the given digest byte for byte.
// The library's own RSA_verify rebuilds the DigestInfo with NULL parameters and compares
// bytes, which would refuse the encoding without parameters that rule 5 accepts.
#include "Library/BaseCryptLib.h"

#include <openssl/bn.h>
#include <openssl/objects.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>

#include "Library/BaseMemoryLib.h"
#include "RsaComponentSlot.h"

namespace {

// The largest block the module verifies: an RSA-16384 modulus.
constexpr UINTN kMaximumBlockSize = 2048;

int DigestNidForSize(UINTN DigestSize) {
  switch (DigestSize) {
    case 16: return NID_md5;
    case 20: return NID_sha1;
    case 32: return NID_sha256;
    default: return NID_undef;
  }
}

BOOLEAN AlgorithmMatches(int Nid, int SelectedNid) {
  if (Nid == SelectedNid) {
    return TRUE;
  }
  return (BOOLEAN)(SelectedNid == NID_md5 && Nid == NID_md5WithRSAEncryption);
}

// Rules 3 to 7 over the DigestInfo bytes that the padding check left.
BOOLEAN DigestInfoMatches(const UINT8 *Encoded, int EncodedLength, int SelectedNid, const UINT8 *Digest,
                          UINTN DigestSize) {
  const unsigned char *Cursor = Encoded;
  X509_SIG *Info = d2i_X509_SIG(NULL, &Cursor, EncodedLength);
  if (Info == NULL) {
    return FALSE;
  }

  BOOLEAN Result = FALSE;
  unsigned char *Reencoded = NULL;
  do {
    if (Cursor != Encoded + EncodedLength) {
      break;
    }
    int ReencodedLength = i2d_X509_SIG(Info, &Reencoded);
    if (ReencodedLength != EncodedLength || MemCompare(Reencoded, Encoded, (UINTN)EncodedLength) != 0) {
      break;
    }

    const X509_ALGOR *Algorithm = NULL;
    const ASN1_OCTET_STRING *DigestString = NULL;
    X509_SIG_get0(Info, &Algorithm, &DigestString);
    const ASN1_OBJECT *Oid = NULL;
    int ParameterType = V_ASN1_UNDEF;
    const void *Parameter = NULL;
    X509_ALGOR_get0(&Oid, &ParameterType, &Parameter, Algorithm);
    if (ParameterType != V_ASN1_UNDEF && ParameterType != V_ASN1_NULL) {
      break;
    }
    if (!AlgorithmMatches(OBJ_obj2nid(Oid), SelectedNid)) {
      break;
    }
    if ((UINTN)ASN1_STRING_length(DigestString) != DigestSize ||
        MemCompare(ASN1_STRING_get0_data(DigestString), Digest, DigestSize) != 0) {
      break;
    }
    Result = TRUE;
  } while (FALSE);

  OPENSSL_free(Reencoded);
  X509_SIG_free(Info);
  return Result;
}

}  // namespace

VORQ_EXTERN_C BOOLEAN RsaPkcs1VerifyDigest(VOID *Rsa, const UINT8 *Digest, UINTN DigestSize, const UINT8 *Signature,
                                           UINTN SignatureSize) {
  if (Rsa == NULL || Digest == NULL || Signature == NULL) {
    return FALSE;
  }
  if (SignatureSize > 0x7FFFFFFF || SignatureSize == 0) {
    return FALSE;
  }
  const int SelectedNid = DigestNidForSize(DigestSize);
  if (SelectedNid == NID_undef) {
    return FALSE;
  }

  RSA *Key = static_cast<RSA *>(Rsa);
  // A key without modulus or exponent cannot verify anything; the library would dereference
  // the missing numbers.
  if (RsaGetComponent(Key, RsaComponentN) == NULL || RsaGetComponent(Key, RsaComponentE) == NULL) {
    return FALSE;
  }
  // Rule 1.
  const UINTN BlockSize = (UINTN)RSA_size(Key);
  if (SignatureSize != BlockSize || BlockSize > kMaximumBlockSize) {
    return FALSE;
  }

  // Rule 2: the public-key operation, which returns the bytes after the padding.
  UINT8 *Block = static_cast<UINT8 *>(OPENSSL_malloc(BlockSize));
  if (Block == NULL) {
    return FALSE;
  }
  const int EncodedLength = RSA_public_decrypt((int)SignatureSize, Signature, Block, Key, RSA_PKCS1_PADDING);
  BOOLEAN Result = FALSE;
  if (EncodedLength > 0) {
    Result = DigestInfoMatches(Block, EncodedLength, SelectedNid, Digest, DigestSize);
  }
  OPENSSL_free(Block);
  return Result;
}
