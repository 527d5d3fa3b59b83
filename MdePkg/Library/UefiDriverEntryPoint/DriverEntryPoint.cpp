// The image entry the SMM core calls once: revision test, constructors, the optional unload
// handler, the module entry, and the destructors when that entry fails.
#include "FixedSettings.h"
#include "Library/DebugLib.h"
#include "Library/ModuleEntryPoint.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Protocol/LoadedImage.h"

ASSERT_SOURCE("MdePkg/Library/UefiDriverEntryPoint/DriverEntryPoint");

static constexpr EFI_GUID kLoadedImageProtocolGuid = EFI_LOADED_IMAGE_PROTOCOL_GUID;

VORQ_EXTERN_C EFI_STATUS EFIAPI ImageEntryPoint(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  if (MinimumSystemTableRevision != 0 && SystemTable->Hdr.Revision < MinimumSystemTableRevision) {
    return EFI_INCOMPATIBLE_VERSION;
  }

  RunLibraryConstructors(ImageHandle, SystemTable);

  if (ModuleUnloadCount != 0) {
    EFI_LOADED_IMAGE_PROTOCOL *LoadedImage = NULL;
    const EFI_STATUS Status =
        gBS->HandleProtocol(ImageHandle, &kLoadedImageProtocolGuid, reinterpret_cast<VOID **>(&LoadedImage));
    ASSERT_EFI_ERROR(126, Status);
    // Without the protocol there is nowhere to register the handler; the image then simply
    // cannot be unloaded.
    if (!EFI_ERROR(Status) && LoadedImage != NULL) {
      LoadedImage->Unload = ImageUnloadHandler;
    }
  }

  const EFI_STATUS Status = RunModuleEntry(ImageHandle, SystemTable);
  if (EFI_ERROR(Status)) {
    RunLibraryDestructors(ImageHandle, SystemTable);
  }
  return Status;
}

VORQ_EXTERN_C EFI_STATUS EFIAPI ImageUnloadHandler(EFI_HANDLE ImageHandle) {
  const EFI_STATUS Status = RunModuleUnload(ImageHandle);
  if (!EFI_ERROR(Status)) {
    RunLibraryDestructors(ImageHandle, gST);
  }
  return Status;
}
