#include "loader/ImageMapper.h"

#include <sys/mman.h>

#include <cstring>

namespace vorq::emu {
namespace {
int ProtectionFlags(PageAccess access) {
  switch (access) {
    case PageAccess::ReadOnly: return PROT_READ;
    case PageAccess::ReadWrite: return PROT_READ | PROT_WRITE;
    case PageAccess::ReadExecute: return PROT_READ | PROT_EXEC;
    case PageAccess::None: break;
  }
  return PROT_NONE;
}
}  // namespace

std::string MapImage(const ImagePlan& plan, std::span<const uint8_t> file, uint8_t* destination) {
  std::memset(destination, 0, plan.size_of_image);
  std::memcpy(destination, file.data(), plan.size_of_headers);
  for (const SectionPlan& s : plan.sections) std::memcpy(destination + s.rva, file.data() + s.file_offset, s.copy_size);

  const uint64_t delta = reinterpret_cast<uint64_t>(destination) - plan.preferred_base;
  for (uint32_t site : plan.dir64_sites) {
    uint64_t value;
    std::memcpy(&value, destination + site, sizeof value);
    value += delta;
    std::memcpy(destination + site, &value, sizeof value);
  }

  // Gaps between sections stay inaccessible; the headers are readable, as a loader leaves them.
  if (mprotect(destination, plan.size_of_image, PROT_NONE) != 0) return "cannot protect the image pages";
  const uint64_t header_span = (uint64_t(plan.size_of_headers) + 4095) & ~uint64_t(4095);
  if (header_span && mprotect(destination, header_span, PROT_READ) != 0) return "cannot protect the image headers";
  for (const SectionPlan& s : plan.sections)
    if (mprotect(destination + s.rva, s.span, ProtectionFlags(s.access)) != 0)
      return "cannot protect section " + s.name;
  return {};
}

}  // namespace vorq::emu
