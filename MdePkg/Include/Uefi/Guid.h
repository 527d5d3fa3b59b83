// EFI_GUID: stored little-endian, field by field.
#pragma once
#include "Base.h"

typedef struct {
  UINT32 Data1;
  UINT16 Data2;
  UINT16 Data3;
  UINT8 Data4[8];
} EFI_GUID;

#ifdef __cplusplus
static_assert(sizeof(EFI_GUID) == 16, "EFI_GUID is 16 bytes");
static_assert(__builtin_offsetof(EFI_GUID, Data2) == 4, "EFI_GUID.Data2");
static_assert(__builtin_offsetof(EFI_GUID, Data3) == 6, "EFI_GUID.Data3");
static_assert(__builtin_offsetof(EFI_GUID, Data4) == 8, "EFI_GUID.Data4");
#endif
