// SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL: installed by another SMM driver. The module calls the
// function in the first member with (Buffer, Length) and no This argument; TRUE refuses.
#pragma once
#include "Uefi/Tables.h"

#define SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL_GUID \
  { 0x8CAA07F2, 0xD288, 0x4CE7, { 0x8C, 0x5E, 0x76, 0x44, 0x91, 0x73, 0x9E, 0xEF } }

typedef BOOLEAN(EFIAPI *SMM_CHECK_BUFFER)(const VOID *Buffer, UINTN Length);

typedef struct {
  SMM_CHECK_BUFFER CheckBuffer;
} SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL;
