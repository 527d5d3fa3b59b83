// SMM_IMAGE_AUTHENTICATION_PROTOCOL: the module's one service. The record has one member and
// its function takes no This argument.
#pragma once
#include "Uefi/Tables.h"

#define SMM_IMAGE_AUTHENTICATION_PROTOCOL_GUID \
  { 0xBD13DB46, 0x0087, 0x4A05, { 0xA0, 0x4A, 0x08, 0x6C, 0xED, 0xA3, 0xB7, 0xD4 } }

typedef EFI_STATUS(EFIAPI *SMM_AUTHENTICATE_IMAGE)(const VOID *Data, UINTN DataSize, const VOID *Signature,
                                                    UINTN SignatureSize);

typedef struct {
  SMM_AUTHENTICATE_IMAGE AuthenticateImage;
} SMM_IMAGE_AUTHENTICATION_PROTOCOL;

static_assert(sizeof(SMM_IMAGE_AUTHENTICATION_PROTOCOL) == 8, "one member, no revision");
