// A protocol database with UEFI semantics: handles, each carrying interfaces by GUID. One
// serves the boot services (SMM Base2, SMM Access2, Loaded Image), one the SMST.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <Uefi.h>

namespace vorq::emu {

struct InstalledProtocol {
  EFI_HANDLE handle;
  EFI_GUID guid;
  void* interface;
  uint64_t installer;  // return address of the installing call, 0 when the platform installed it
};

class ProtocolDatabase {
 public:
  // Handles are records in memory the platform owns: `arena` must hold `capacity` x 16 bytes.
  void Init(std::string name, uint8_t* arena, size_t capacity);

  // UEFI InstallProtocolInterface: a NULL *Handle makes a new handle; an existing handle
  // gains the interface; the same GUID twice on one handle, an unknown handle, a NULL GUID
  // or a non-native interface type is EFI_INVALID_PARAMETER.
  EFI_STATUS Install(EFI_HANDLE* handle, const EFI_GUID* guid, uint32_t interface_type, void* interface,
                     uint64_t installer);
  // The first interface installed under the GUID, or EFI_NOT_FOUND with *interface NULL.
  EFI_STATUS Locate(const EFI_GUID* guid, void** interface) const;
  EFI_STATUS HandleProtocol(EFI_HANDLE handle, const EFI_GUID* guid, void** interface) const;
  EFI_HANDLE NewHandle();
  bool IsHandle(EFI_HANDLE handle) const;
  const std::vector<InstalledProtocol>& Installed() const { return installed_; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
  uint8_t* arena_ = nullptr;
  size_t capacity_ = 0;
  std::vector<EFI_HANDLE> handles_;
  std::vector<InstalledProtocol> installed_;
};

}  // namespace vorq::emu
