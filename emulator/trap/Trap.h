// The instruction trap: SIGSEGV for in/out (and memory faults), SIGTRAP for int3, SIGALRM for
// the run's time limit, all on an alternate signal stack. Port instructions are decoded,
// served by TheBoard() and stepped over; int3 is logged and execution goes on; anything else
// inside a trapped run stops that run with a TrapFault (siglongjmp back to RunTrapped).
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorq::emu {

enum class FaultKind {
  UnpopulatedPort,         // an in/out no device decodes
  UnsupportedInstruction,  // a general-protection fault that is no in/out we serve
  MemoryAccess,            // a read or write of an address the emulator does not serve
  Execution,               // an instruction fetch from memory that is not code
  ProcessorException,      // an invalid opcode (ud2) or a divide error
  Timeout,                 // the run did not end within its time limit
  Stopped,                 // a service stopped the run (an unexpected call, for instance)
};

struct TrapFault {
  FaultKind kind = FaultKind::Stopped;
  uint64_t instruction = 0;  // the faulting instruction; for Stopped, the caller's return address
  uint64_t address = 0;      // memory faults: the address touched
  bool write = false;
  uint16_t port = 0;
  unsigned width = 0;
  int signal = 0;            // ProcessorException: SIGILL or SIGFPE
  uint8_t bytes[8] = {};     // unsupported instructions: their first bytes
  std::string message;       // Stopped: the service's reason
};

// Idempotent. Installs the handlers (SIGSEGV, SIGTRAP, SIGILL, SIGFPE, SIGALRM) and this
// thread's alternate signal stack.
void InstallTrapHandlers();

// Run `body` with the trap armed. Empty when it returned; the fault when an unserved access,
// a timeout (timeout_ms > 0) or StopRun ended it. Runs nest.
std::optional<TrapFault> RunTrapped(const std::function<void()>& body, unsigned timeout_ms = 0);

// From a service called by the image: end the current trapped run with `message`.
// Outside a run: print the message and _exit(4).
[[noreturn]] void StopRun(const std::string& message, uint64_t caller);

// Breakpoints (int3) met since the last clear, by the address of the int3 instruction.
const std::vector<uint64_t>& Breakpoints();
void ClearBreakpoints();

// Host service code called from the image: a timeout that falls inside waits for it to end,
// so that no host lock or heap is left half-updated.
class HostServiceScope {
 public:
  HostServiceScope();
  ~HostServiceScope();
};

// How reports name addresses ("0x7F101234 (image+0x1234)"); the default prints hex only.
void SetAddressDescriber(std::function<std::string(uint64_t)> describer);
std::string DescribeAddress(uint64_t address);
// One line naming the fault, its instruction and its port or address.
std::string DescribeFault(const TrapFault& fault);

}  // namespace vorq::emu
