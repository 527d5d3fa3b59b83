// The external pointer checker another SMM driver would install: CheckBuffer (Buffer, Length)
// with no This argument, TRUE to refuse. Every call is recorded.
#include "platform/Platform.h"
#include "platform/ServiceStubs.h"
#include "platform/Services.h"
#include "trap/Trap.h"

namespace vorq::emu {

bool PolicyRefuses(uint64_t buffer, uint64_t length, const std::vector<SmramRange>& smram) {
  if (length > 0 && buffer + (length - 1) < buffer) return true;  // wraps the address space
  const uint64_t last = length > 0 ? buffer + (length - 1) : buffer;
  for (const SmramRange& r : smram) {
    if (r.size == 0) continue;
    const uint64_t range_last = r.start + (r.size - 1);
    if (buffer <= range_last && last >= r.start) return true;
  }
  return false;
}

BOOLEAN EFIAPI ServeCheckBuffer(const VOID* buffer, UINTN length) {
  HostServiceScope scope;
  Platform& p = *CurrentPlatform();
  const uint64_t address = reinterpret_cast<uintptr_t>(buffer);
  const bool is_data = address == p.data.address && length == p.data.size;
  const bool is_signature = address == p.signature.address && length == p.signature.size;
  uint8_t answer;
  switch (p.Options().checker) {
    case CheckerMode::Answer2: answer = 2; break;
    case CheckerMode::AcceptAll: answer = 0; break;
    case CheckerMode::RefuseData:
      answer = is_data || PolicyRefuses(address, length, p.SmramMap());
      break;
    case CheckerMode::RefuseSignature:
      answer = is_signature || PolicyRefuses(address, length, p.SmramMap());
      break;
    default: answer = PolicyRefuses(address, length, p.SmramMap());
  }
  p.checker_calls.push_back({address, length, answer, emu_service_caller});
  return answer;
}

}  // namespace vorq::emu
