#include "support/Guids.h"

#include <cstdio>
#include <cstring>

#include <Guid/TscFrequencyTable.h>
#include <Protocol/LoadedImage.h>
#include <Protocol/SmmAccess2.h>
#include <Protocol/SmmBase2.h>
#include <Protocol/SmmExternalPointerChecker.h>
#include <Protocol/SmmImageAuthentication.h>

namespace vorq::emu {

const EFI_GUID kSmmBase2ProtocolGuid = EFI_SMM_BASE2_PROTOCOL_GUID;
const EFI_GUID kSmmAccess2ProtocolGuid = EFI_SMM_ACCESS2_PROTOCOL_GUID;
const EFI_GUID kLoadedImageProtocolGuid = EFI_LOADED_IMAGE_PROTOCOL_GUID;
const EFI_GUID kSmmImageAuthenticationProtocolGuid = SMM_IMAGE_AUTHENTICATION_PROTOCOL_GUID;
const EFI_GUID kSmmExternalPointerCheckerProtocolGuid = SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL_GUID;
const EFI_GUID kTscFrequencyTableGuid = TSC_FREQUENCY_TABLE_GUID;

bool SameGuid(const EFI_GUID& a, const EFI_GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string FormatGuid(const EFI_GUID& g) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.Data1, g.Data2,
                g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                g.Data4[7]);
  return text;
}

std::string GuidName(const EFI_GUID& guid) {
  struct Known {
    const EFI_GUID* guid;
    const char* name;
  };
  static const Known kKnown[] = {
      {&kSmmBase2ProtocolGuid, "EFI_SMM_BASE2_PROTOCOL"},
      {&kSmmAccess2ProtocolGuid, "EFI_SMM_ACCESS2_PROTOCOL"},
      {&kLoadedImageProtocolGuid, "EFI_LOADED_IMAGE_PROTOCOL"},
      {&kSmmImageAuthenticationProtocolGuid, "SMM_IMAGE_AUTHENTICATION_PROTOCOL"},
      {&kSmmExternalPointerCheckerProtocolGuid, "SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL"},
      {&kTscFrequencyTableGuid, "TSC_FREQUENCY_TABLE"},
  };
  for (const Known& k : kKnown)
    if (SameGuid(*k.guid, guid)) return k.name;
  return "unknown";
}

}  // namespace vorq::emu
