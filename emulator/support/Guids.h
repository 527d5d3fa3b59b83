// The GUIDs the emulator installs or looks for, their printed form and a readable name.
#pragma once
#include <string>

#include <Uefi.h>

namespace vorq::emu {

extern const EFI_GUID kSmmBase2ProtocolGuid;
extern const EFI_GUID kSmmAccess2ProtocolGuid;
extern const EFI_GUID kLoadedImageProtocolGuid;
extern const EFI_GUID kSmmImageAuthenticationProtocolGuid;
extern const EFI_GUID kSmmExternalPointerCheckerProtocolGuid;
extern const EFI_GUID kTscFrequencyTableGuid;

bool SameGuid(const EFI_GUID& a, const EFI_GUID& b);
// Registry format: {BD13DB46-0087-4A05-A04A-086CEDA3B7D4}.
std::string FormatGuid(const EFI_GUID& guid);
// The protocol or table name for a known GUID, else "unknown".
std::string GuidName(const EFI_GUID& guid);

}  // namespace vorq::emu
