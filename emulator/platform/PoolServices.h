// What AllocatePool and SmmAllocatePool share: fault injection, the pool call, the misuse
// reports of a free. The two services differ only in pool, pool types and counters.
#pragma once
#include <Uefi.h>

#include "platform/Platform.h"

namespace vorq::emu {

EFI_STATUS AllocateFrom(Platform& platform, Pool& pool, EFI_MEMORY_TYPE type, UINTN size, VOID** buffer,
                        bool inject_failure);
// `other` is the pool a wrong-pool free would have belonged to.
EFI_STATUS FreeTo(Platform& platform, Pool& pool, Pool& other, const char* service, VOID* buffer);

}  // namespace vorq::emu
