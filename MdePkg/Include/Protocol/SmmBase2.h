// EFI_SMM_BASE2_PROTOCOL: tells whether the processor runs in SMM and where the SMST is.
#pragma once
#include "Pi/SmmSystemTable.h"

#define EFI_SMM_BASE2_PROTOCOL_GUID \
  { 0xF4CCBFB7, 0xF6E0, 0x47FD, { 0x9D, 0xD4, 0x10, 0xA8, 0xF1, 0x50, 0xC1, 0x91 } }

struct EFI_SMM_BASE2_PROTOCOL;
typedef EFI_STATUS(EFIAPI *EFI_SMM_INSIDE_OUT2)(const EFI_SMM_BASE2_PROTOCOL *This, BOOLEAN *InSmram);
typedef EFI_STATUS(EFIAPI *EFI_SMM_GET_SMST_LOCATION2)(const EFI_SMM_BASE2_PROTOCOL *This,
                                                        EFI_SMM_SYSTEM_TABLE2 **Smst);

struct EFI_SMM_BASE2_PROTOCOL {
  EFI_SMM_INSIDE_OUT2 InSmm;
  EFI_SMM_GET_SMST_LOCATION2 GetSmstLocation;
};

VORQ_OFFSET(EFI_SMM_BASE2_PROTOCOL, GetSmstLocation, 8);
