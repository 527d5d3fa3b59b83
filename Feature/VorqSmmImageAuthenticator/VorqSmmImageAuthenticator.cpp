// The module entry: installs SMM_IMAGE_AUTHENTICATION_PROTOCOL on a new handle.
#include "Library/DebugLib.h"
#include "Library/ModuleEntryPoint.h"
#include "Library/SmmServicesTableLib.h"
#include "Library/VorqSmmImageAuthenticatorLib.h"
#include "Protocol/SmmImageAuthentication.h"

ASSERT_SOURCE("Feature/VorqSmmImageAuthenticator/VorqSmmImageAuthenticator");

static constexpr EFI_GUID kSmmImageAuthenticationProtocolGuid = SMM_IMAGE_AUTHENTICATION_PROTOCOL_GUID;

// The installed record; never written at run time.
static SMM_IMAGE_AUTHENTICATION_PROTOCOL mImageAuthenticationProtocol = {AuthenticateImage};

VORQ_EXTERN_C EFI_STATUS EFIAPI ImageAuthenticatorEntry(EFI_HANDLE ImageHandle, EFI_SYSTEM_TABLE *SystemTable) {
  (VOID) ImageHandle;
  (VOID) SystemTable;
  EFI_HANDLE Handle = NULL;
  const EFI_STATUS Status = gSmst->SmmInstallProtocolInterface(&Handle, &kSmmImageAuthenticationProtocolGuid,
                                                               EFI_NATIVE_INTERFACE, &mImageAuthenticationProtocol);
  ASSERT_EFI_ERROR(56, Status);
  return Status;
}
