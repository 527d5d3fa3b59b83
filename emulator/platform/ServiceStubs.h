// The stubs of ServiceStubs.S: slot N's stub switches to the host service stack and calls
// emu_service_table[N] with the image's arguments.
#pragma once
#include <cstdint>

extern "C" {
constexpr unsigned kServiceSlots = 96;
extern void* emu_service_table[kServiceSlots];
extern void* const emu_service_stubs[kServiceSlots];
extern uint64_t emu_service_caller;      // return address of the current service call
extern uint32_t emu_service_index;       // its slot
extern uint64_t emu_service_stack_top;   // 16-byte aligned top of the host service stack
}
