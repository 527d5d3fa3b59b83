// The SMRAM map: read once from the SMM Access2 protocol, kept for the life of the module, and
// used to send each freed buffer back to the pool it came from.
#include "Library/BaseMemoryLib.h"
#include "Library/DebugLib.h"
#include "Library/MemoryAllocationLib.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Protocol/SmmAccess2.h"

ASSERT_SOURCE("MdePkg/Library/SmmMemoryAllocationLib/MemoryAllocationLib");

VORQ_EXTERN_C EFI_SMRAM_DESCRIPTOR *mSmramRanges = NULL;
VORQ_EXTERN_C UINTN mSmramRangeEntries = 0;

static constexpr EFI_GUID kSmmAccess2ProtocolGuid = EFI_SMM_ACCESS2_PROTOCOL_GUID;

// The map is asked for twice: once with no room, to learn its size, then into an array of
// that size. Whatever goes wrong, the count stays 0 unless the array holds a map that was
// written whole, so that no scan ever reads a descriptor that is not there.
VORQ_EXTERN_C EFI_STATUS EFIAPI InitSmramRanges(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;

  EFI_SMM_ACCESS2_PROTOCOL *SmmAccess = NULL;
  EFI_STATUS Status = gBS->LocateProtocol(&kSmmAccess2ProtocolGuid, NULL, reinterpret_cast<VOID **>(&SmmAccess));
  ASSERT_EFI_ERROR(70, Status);
  if (EFI_ERROR(Status) || SmmAccess == NULL) {
    return EFI_SUCCESS;
  }

  UINTN Size = 0;
  Status = SmmAccess->GetCapabilities(SmmAccess, &Size, NULL);
  ASSERT(77, Status == ((RETURN_STATUS)(0x8000000000000000ULL | (5))));

  mSmramRanges = static_cast<EFI_SMRAM_DESCRIPTOR *>(SmmPoolAllocate(Size));
  ASSERT(80, mSmramRanges != ((void *) 0));
  if (mSmramRanges == NULL) {
    return EFI_SUCCESS;
  }

  const UINTN AllocatedSize = Size;
  Status = SmmAccess->GetCapabilities(SmmAccess, &Size, mSmramRanges);
  ASSERT_EFI_ERROR(83, Status);
  if (EFI_ERROR(Status)) {
    return EFI_SUCCESS;
  }

  // A map that grew between the two calls was not written past the array; count only what
  // the array holds. A remainder smaller than one descriptor is dropped.
  if (Size > AllocatedSize) {
    Size = AllocatedSize;
  }
  mSmramRangeEntries = Size / sizeof(EFI_SMRAM_DESCRIPTOR);
  return EFI_SUCCESS;
}

// Frees the array; the count and the pointer keep their values, and nothing uses them after.
VORQ_EXTERN_C EFI_STATUS EFIAPI ReleaseSmramRanges(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;
  SmmPoolFree(mSmramRanges);
  return EFI_SUCCESS;
}

// Only the buffer's start is tested: CpuStart <= Buffer < CpuStart + PhysicalSize, the end
// computed modulo 2^64; the first range that holds it ends the scan.
VORQ_EXTERN_C BOOLEAN IsBufferInSmram(const VOID *Buffer) {
  const UINT64 Address = reinterpret_cast<UINTN>(Buffer);
  for (UINTN Index = 0; Index < mSmramRangeEntries; Index++) {
    const UINT64 Start = mSmramRanges[Index].CpuStart;
    const UINT64 End = Start + mSmramRanges[Index].PhysicalSize;
    if (Address >= Start && Address < End) {
      return TRUE;
    }
  }
  return FALSE;
}
