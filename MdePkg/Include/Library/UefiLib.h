#pragma once
#include "Uefi.h"

// Looks TableGuid up in the UEFI system table's configuration table (through gST); the first
// matching entry wins. EFI_SUCCESS with *Table set, or EFI_NOT_FOUND with *Table NULL.
VORQ_EXTERN_C EFI_STATUS FindConfigurationTable(const EFI_GUID *TableGuid, VOID **Table);

// Compares two GUIDs as two 64-bit halves; neither needs any alignment.
VORQ_EXTERN_C BOOLEAN GuidEquals(const EFI_GUID *Guid1, const EFI_GUID *Guid2);
