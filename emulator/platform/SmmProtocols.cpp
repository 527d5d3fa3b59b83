// SMM Base2 (InSmm, GetSmstLocation) and SMM Access2 (GetCapabilities).
#include <cstring>

#include "platform/Platform.h"
#include "platform/Services.h"
#include "trap/Trap.h"

namespace vorq::emu {

EFI_STATUS EFIAPI ServeInSmm(const EFI_SMM_BASE2_PROTOCOL*, BOOLEAN* in_smram) {
  HostServiceScope scope;
  if (in_smram == nullptr) return LogService("InSmm", EFI_INVALID_PARAMETER);
  *in_smram = TRUE;
  return LogService("InSmm", EFI_SUCCESS);
}

EFI_STATUS EFIAPI ServeGetSmstLocation(const EFI_SMM_BASE2_PROTOCOL*, EFI_SMM_SYSTEM_TABLE2** smst) {
  HostServiceScope scope;
  if (smst == nullptr) return LogService("GetSmstLocation", EFI_INVALID_PARAMETER);
  *smst = CurrentPlatform()->Smst();
  return LogService("GetSmstLocation", EFI_SUCCESS);
}

// The two-call size protocol: too small a map gets EFI_BUFFER_TOO_SMALL and the size needed;
// a large enough one gets the descriptors and the size written. A configured size that is not
// a multiple of 32 is reported as it is, and as many bytes are copied.
EFI_STATUS EFIAPI ServeGetCapabilities(const EFI_SMM_ACCESS2_PROTOCOL*, UINTN* size, EFI_SMRAM_DESCRIPTOR* map) {
  HostServiceScope scope;
  const Platform& p = *CurrentPlatform();
  if (size == nullptr) return LogService("GetCapabilities", EFI_INVALID_PARAMETER);
  std::vector<EFI_SMRAM_DESCRIPTOR> descriptors;
  for (const SmramRange& r : p.SmramMap()) descriptors.push_back({r.start, r.start, r.size, kSmramRegionState});
  const uint64_t needed = p.Options().smram_map_bytes.value_or(descriptors.size() * sizeof(EFI_SMRAM_DESCRIPTOR));
  if (*size < needed) {
    *size = needed;
    return LogService("GetCapabilities", EFI_BUFFER_TOO_SMALL);
  }
  if (map == nullptr && needed != 0) return LogService("GetCapabilities", EFI_INVALID_PARAMETER);
  const uint64_t available = descriptors.size() * sizeof(EFI_SMRAM_DESCRIPTOR);
  if (needed) std::memcpy(map, descriptors.data(), needed < available ? needed : available);
  *size = needed;
  return LogService("GetCapabilities", EFI_SUCCESS);
}

}  // namespace vorq::emu
