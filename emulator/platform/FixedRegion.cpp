#include "platform/FixedRegion.h"

#include <sys/mman.h>

#include "support/Hex.h"

namespace vorq::emu {

bool FixedRegion::Map(uint64_t address, uint64_t size, const std::string& what, std::string* error) {
  Release();
  void* wanted = reinterpret_cast<void*>(address);
  void* got = mmap(wanted, size, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE | MAP_NORESERVE, -1, 0);
  if (got != wanted) {
    if (got != MAP_FAILED) munmap(got, size);
    if (error) *error = "cannot map " + what + " at " + Hex(address) + " (" + Hex(size) + " bytes): address in use";
    return false;
  }
  base_ = static_cast<uint8_t*>(got);
  size_ = size;
  return true;
}

void FixedRegion::Release() {
  if (base_) munmap(base_, size_);
  base_ = nullptr;
  size_ = 0;
}

}  // namespace vorq::emu
