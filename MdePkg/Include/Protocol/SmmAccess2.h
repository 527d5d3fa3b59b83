// EFI_SMM_ACCESS2_PROTOCOL: the platform's SMRAM map through GetCapabilities.
#pragma once
#include "Pi/SmmSystemTable.h"

#define EFI_SMM_ACCESS2_PROTOCOL_GUID \
  { 0xC2702B74, 0x800C, 0x4131, { 0x87, 0x46, 0x8F, 0xB5, 0xB8, 0x9C, 0xE4, 0xAC } }

struct EFI_SMM_ACCESS2_PROTOCOL;
// Answers EFI_BUFFER_TOO_SMALL with the needed byte size in *SmramMapSize when the map does
// not fit, else EFI_SUCCESS with the size written.
typedef EFI_STATUS(EFIAPI *EFI_SMM_CAPABILITIES2)(const EFI_SMM_ACCESS2_PROTOCOL *This, UINTN *SmramMapSize,
                                                   EFI_SMRAM_DESCRIPTOR *SmramMap);

struct EFI_SMM_ACCESS2_PROTOCOL {
  EFI_UNUSED_SERVICE Open;
  EFI_UNUSED_SERVICE Close;
  EFI_UNUSED_SERVICE Lock;
  EFI_SMM_CAPABILITIES2 GetCapabilities;
  BOOLEAN LockState;
  BOOLEAN OpenState;
};

VORQ_OFFSET(EFI_SMM_ACCESS2_PROTOCOL, Close, 8);
VORQ_OFFSET(EFI_SMM_ACCESS2_PROTOCOL, Lock, 16);
VORQ_OFFSET(EFI_SMM_ACCESS2_PROTOCOL, GetCapabilities, 24);
VORQ_OFFSET(EFI_SMM_ACCESS2_PROTOCOL, LockState, 32);
VORQ_OFFSET(EFI_SMM_ACCESS2_PROTOCOL, OpenState, 33);
