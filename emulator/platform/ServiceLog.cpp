#include "platform/Platform.h"
#include "platform/ServiceStubs.h"
#include "platform/Services.h"

namespace vorq::emu {

EFI_STATUS LogService(const char* name, EFI_STATUS status) {
  if (Platform* platform = CurrentPlatform()) platform->service_calls.push_back({name, emu_service_caller, status});
  return status;
}

}  // namespace vorq::emu
