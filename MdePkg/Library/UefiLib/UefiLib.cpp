// Configuration-table lookup and GUID comparison.
#include "Library/UefiLib.h"

#include "Library/BaseLib.h"
#include "Library/DebugLib.h"
#include "Library/UefiBootServicesTableLib.h"

ASSERT_SOURCE("MdePkg/Library/UefiLib/UefiLib");

// Only the UEFI system table's configuration table is searched, never the SMM one.
VORQ_EXTERN_C EFI_STATUS FindConfigurationTable(const EFI_GUID *TableGuid, VOID **Table) {
  ASSERT(97, TableGuid != ((void *) 0));
  ASSERT(98, Table != ((void *) 0));

  *Table = NULL;
  for (UINTN Index = 0; Index < gST->NumberOfTableEntries; Index++) {
    if (GuidEquals(TableGuid, &gST->ConfigurationTable[Index].VendorGuid)) {
      *Table = gST->ConfigurationTable[Index].VendorTable;
      return EFI_SUCCESS;
    }
  }
  return EFI_NOT_FOUND;
}

// All four halves are read before anything is compared.
VORQ_EXTERN_C BOOLEAN GuidEquals(const EFI_GUID *Guid1, const EFI_GUID *Guid2) {
  const UINT8 *First = reinterpret_cast<const UINT8 *>(Guid1);
  const UINT8 *Second = reinterpret_cast<const UINT8 *>(Guid2);
  const UINT64 FirstLow = LoadUnaligned64(First);
  const UINT64 SecondLow = LoadUnaligned64(Second);
  const UINT64 FirstHigh = LoadUnaligned64(First + 8);
  const UINT64 SecondHigh = LoadUnaligned64(Second + 8);
  return (BOOLEAN)(FirstLow == SecondLow && FirstHigh == SecondHigh);
}
