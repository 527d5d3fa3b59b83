// Members the emulator does not serve: each gets a slot of its own, so that a call reports
// the member by name and the caller by address, then stops the run.
#include <sys/mman.h>

#include <string>

#include "platform/Platform.h"
#include "platform/ServiceStubs.h"
#include "platform/Services.h"
#include "trap/Trap.h"

namespace vorq::emu {
namespace {
const char* g_member_of_slot[kServiceSlots] = {};
unsigned g_next_unexpected = kFirstUnexpectedSlot;
}  // namespace

const char* UnexpectedMemberName(unsigned slot) {
  return slot < kServiceSlots && g_member_of_slot[slot] ? g_member_of_slot[slot] : "an unknown member";
}

void* UnexpectedMemberStub(const char* member) {
  // Tables are rebuilt for every platform; the same member keeps its slot.
  for (unsigned slot = kFirstUnexpectedSlot; slot < g_next_unexpected; ++slot)
    if (std::string(g_member_of_slot[slot]) == member) return emu_service_stubs[slot];
  if (g_next_unexpected >= kServiceSlots) return nullptr;
  g_member_of_slot[g_next_unexpected] = member;
  return emu_service_stubs[g_next_unexpected++];
}

void EFIAPI ServeUnexpectedCall() {
  StopRun(std::string("unexpected call to ") + UnexpectedMemberName(emu_service_index), emu_service_caller);
}

void* ServiceStub(ServiceSlot slot) { return emu_service_stubs[slot]; }

void BindServiceTable() {
  static bool bound = false;
  if (bound) return;
  bound = true;
  constexpr size_t kServiceStackSize = 1 << 20;
  void* stack = mmap(nullptr, kServiceStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  emu_service_stack_top = (reinterpret_cast<uint64_t>(stack) + kServiceStackSize) & ~uint64_t(15);
  for (unsigned slot = 0; slot < kServiceSlots; ++slot) emu_service_table[slot] = reinterpret_cast<void*>(&ServeUnexpectedCall);
  auto bind = [](ServiceSlot slot, auto* function) { emu_service_table[slot] = reinterpret_cast<void*>(function); };
  bind(kSlotAllocatePool, &ServeAllocatePool);
  bind(kSlotFreePool, &ServeFreePool);
  bind(kSlotHandleProtocol, &ServeHandleProtocol);
  bind(kSlotInstallConfigurationTable, &ServeInstallConfigurationTable);
  bind(kSlotLocateProtocol, &ServeLocateProtocol);
  bind(kSlotSmmAllocatePool, &ServeSmmAllocatePool);
  bind(kSlotSmmFreePool, &ServeSmmFreePool);
  bind(kSlotSmmInstallProtocolInterface, &ServeSmmInstallProtocolInterface);
  bind(kSlotSmmLocateProtocol, &ServeSmmLocateProtocol);
  bind(kSlotInSmm, &ServeInSmm);
  bind(kSlotGetSmstLocation, &ServeGetSmstLocation);
  bind(kSlotGetCapabilities, &ServeGetCapabilities);
  bind(kSlotCheckBuffer, &ServeCheckBuffer);
}

}  // namespace vorq::emu

extern "C" {
void* emu_service_table[kServiceSlots];
uint64_t emu_service_caller;
uint32_t emu_service_index;
uint64_t emu_service_stack_top;
}
