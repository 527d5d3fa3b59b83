// AuthenticateImage: the checker is asked about both buffers before either is read; the data
// is hashed in place with SHA-256 and the signature verified in place under the built-in key.
// Each call builds its hash context and RSA context from scratch and releases both.
#include "Library/VorqSmmImageAuthenticatorLib.h"

#include "Library/BaseCryptLib.h"
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/VorqSmmExternalPointerCheckerLib.h"

ASSERT_SOURCE("Override/Library/VorqSmmImageAuthenticatorLib/VorqSmmImageAuthenticatorLib");

namespace {
constexpr UINTN kSignatureSize = 256;
constexpr UINTN kDigestSize = 32;
}  // namespace

VORQ_EXTERN_C EFI_STATUS EFIAPI AuthenticateImage(const VOID *Data, UINTN DataSize, const VOID *Signature,
                                                  UINTN SignatureSize) {
  VOID *HashContext = NULL;
  VOID *pRsa = NULL;
  UINT8 Digest[kDigestSize];
  const UINT8 Exponent[3] = {0x01, 0x00, 0x01};
  BOOLEAN Result = FALSE;

  do {
    // A wrong size and a refusal by the checker are silent: nothing is reported.
    if (SignatureSize != kSignatureSize) {
      break;
    }
    // Only an answer of exactly 1 refuses; the data buffer is always asked about first.
    if (IsUnsafeExternalBuffer(Data, DataSize) == TRUE) {
      break;
    }
    if (IsUnsafeExternalBuffer(Signature, SignatureSize) == TRUE) {
      break;
    }

    HashContext = SmmPoolAllocate(Sha256ContextSize());
    if (HashContext == NULL) {
      return EFI_OUT_OF_RESOURCES;
    }

    MemZero(Digest, sizeof(Digest));
    if (!Sha256Start(HashContext)) {
      break;
    }
    if (!Sha256Feed(HashContext, Data, DataSize)) {
      break;
    }
    if (!Sha256Finish(HashContext, Digest)) {
      break;
    }

    pRsa = RsaContextNew();
    ASSERT(118, pRsa != ((void *) 0));
    // A missing context makes the first step fail.
    Result = RsaSetKeyComponent(pRsa, RsaComponentN, mImageSigningKeyModulus, sizeof(mImageSigningKeyModulus));
    if (!Result) {
      break;
    }
    Result = RsaSetKeyComponent(pRsa, RsaComponentE, Exponent, sizeof(Exponent));
    if (!Result) {
      break;
    }
    Result = RsaPkcs1VerifyDigest(pRsa, Digest, kDigestSize, static_cast<const UINT8 *>(Signature), SignatureSize);
  } while (FALSE);

  if (HashContext != NULL) {
    SmmPoolFree(HashContext);
  }
  if (pRsa != NULL) {
    RsaContextFree(pRsa);
  }
  return Result ? EFI_SUCCESS : EFI_SECURITY_VIOLATION;
}
