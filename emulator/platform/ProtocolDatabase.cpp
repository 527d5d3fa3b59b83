#include "platform/ProtocolDatabase.h"

#include <algorithm>
#include <cstring>

#include "support/Guids.h"

namespace vorq::emu {

void ProtocolDatabase::Init(std::string name, uint8_t* arena, size_t capacity) {
  name_ = std::move(name);
  arena_ = arena;
  capacity_ = capacity;
  handles_.clear();
  installed_.clear();
}

EFI_HANDLE ProtocolDatabase::NewHandle() {
  if (handles_.size() >= capacity_) return nullptr;
  uint8_t* record = arena_ + 16 * handles_.size();
  std::memcpy(record, "EMU-HANDLE", 10);  // a recognisable record, never read by the image
  handles_.push_back(record);
  return record;
}

bool ProtocolDatabase::IsHandle(EFI_HANDLE handle) const {
  return std::find(handles_.begin(), handles_.end(), handle) != handles_.end();
}

EFI_STATUS ProtocolDatabase::Install(EFI_HANDLE* handle, const EFI_GUID* guid, uint32_t interface_type,
                                     void* interface, uint64_t installer) {
  if (handle == nullptr || guid == nullptr || interface_type != EFI_NATIVE_INTERFACE) return EFI_INVALID_PARAMETER;
  if (*handle != nullptr) {
    if (!IsHandle(*handle)) return EFI_INVALID_PARAMETER;
    for (const InstalledProtocol& p : installed_)
      if (p.handle == *handle && SameGuid(p.guid, *guid)) return EFI_INVALID_PARAMETER;
  } else {
    *handle = NewHandle();
    if (*handle == nullptr) return EFI_OUT_OF_RESOURCES;
  }
  installed_.push_back({*handle, *guid, interface, installer});
  return EFI_SUCCESS;
}

EFI_STATUS ProtocolDatabase::Locate(const EFI_GUID* guid, void** interface) const {
  if (guid == nullptr || interface == nullptr) return EFI_INVALID_PARAMETER;
  for (const InstalledProtocol& p : installed_)
    if (SameGuid(p.guid, *guid)) {
      *interface = p.interface;
      return EFI_SUCCESS;
    }
  *interface = nullptr;
  return EFI_NOT_FOUND;
}

EFI_STATUS ProtocolDatabase::HandleProtocol(EFI_HANDLE handle, const EFI_GUID* guid, void** interface) const {
  if (guid == nullptr || interface == nullptr || !IsHandle(handle)) return EFI_INVALID_PARAMETER;
  for (const InstalledProtocol& p : installed_)
    if (p.handle == handle && SameGuid(p.guid, *guid)) {
      *interface = p.interface;
      return EFI_SUCCESS;
    }
  *interface = nullptr;
  return EFI_UNSUPPORTED;
}

}  // namespace vorq::emu
