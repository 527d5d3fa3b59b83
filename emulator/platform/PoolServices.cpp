#include "platform/PoolServices.h"

#include "platform/ServiceStubs.h"
#include "support/Hex.h"
#include "trap/Trap.h"

namespace vorq::emu {

EFI_STATUS AllocateFrom(Platform& platform, Pool& pool, EFI_MEMORY_TYPE type, UINTN size, VOID** buffer,
                        bool inject_failure) {
  if (inject_failure) {
    if (platform.Options().failed_allocation_stores_poison) *buffer = reinterpret_cast<VOID*>(0xBADBADBADBAD0000ULL);
    return EFI_OUT_OF_RESOURCES;
  }
  void* block = pool.Allocate(size, type);
  if (!block) return EFI_OUT_OF_RESOURCES;
  *buffer = block;
  return EFI_SUCCESS;
}

EFI_STATUS FreeTo(Platform& platform, Pool& pool, Pool& other, const char* service, VOID* buffer) {
  const std::string where = " (" + std::string(service) + " called from " + DescribeAddress(emu_service_caller) + ")";
  switch (pool.Free(buffer)) {
    case FreeOutcome::Freed: return EFI_SUCCESS;
    case FreeOutcome::Overrun:
      platform.misuse.push_back("overrun of the " + pool.Name() + " pool block " + Hex(uint64_t(uintptr_t(buffer))) + where);
      return EFI_SUCCESS;
    case FreeOutcome::DoubleFree:
      platform.misuse.push_back("double free of " + pool.Name() + " pool block " + Hex(uint64_t(uintptr_t(buffer))) + where);
      return EFI_INVALID_PARAMETER;
    case FreeOutcome::Foreign: break;
  }
  if (other.IsLiveBlock(buffer))
    platform.misuse.push_back("free to the wrong pool: " + Hex(uint64_t(uintptr_t(buffer))) + " is a block of the " +
                              other.Name() + " pool" + where);
  else
    platform.misuse.push_back("free of a pointer the " + pool.Name() + " pool never handed out: " +
                              Hex(uint64_t(uintptr_t(buffer))) + where);
  return EFI_INVALID_PARAMETER;
}

}  // namespace vorq::emu
