// The module's service: whether Data carries a valid RSA-2048 PKCS#1 v1.5 signature over its
// SHA-256 digest, made with the platform key built into the image.
#pragma once
#include "Uefi.h"

// EFI_SUCCESS: Signature verifies over Data under the built-in key. EFI_OUT_OF_RESOURCES: the
// hash context could not be allocated. EFI_SECURITY_VIOLATION: every other outcome. Neither
// buffer is written; everything allocated is released before the return.
VORQ_EXTERN_C EFI_STATUS EFIAPI AuthenticateImage(const VOID *Data, UINTN DataSize, const VOID *Signature,
                                                  UINTN SignatureSize);

// The public modulus of the platform's image-signing key: 256 bytes, big-endian, top bit set.
// It lives in read-only data of its own section (.sigkey) so that a tool can find it.
VORQ_EXTERN_C __attribute__((section(".sigkey"))) const UINT8 mImageSigningKeyModulus[256];
