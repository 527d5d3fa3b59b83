#include "trap/Trap.h"

#include <signal.h>
#include <setjmp.h>
#include <sys/mman.h>
#include <time.h>
#include <ucontext.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "devices/Board.h"
#include "support/Hex.h"
#include "trap/PortInstruction.h"

namespace vorq::emu {
namespace {

struct ArmedRun {
  sigjmp_buf jump;
  TrapFault fault;
  ArmedRun* outer = nullptr;
  int service_depth = 0;
};

ArmedRun* g_armed = nullptr;
volatile sig_atomic_t g_service_depth = 0;
std::vector<uint64_t> g_breakpoints;
std::function<std::string(uint64_t)> g_describer;
timer_t g_timer;
bool g_timer_created = false;

constexpr size_t kAltStackSize = 256 * 1024;
constexpr long kSiKernel = 0x80;  // si_code of a general-protection fault or int3 in user mode

[[noreturn]] void Fail(const TrapFault& fault) {
  if (g_armed) {
    g_armed->fault = fault;
    siglongjmp(g_armed->jump, 1);
  }
  const std::string line = "error: " + DescribeFault(fault) + " (outside a trapped run)\n";
  (void)!write(STDERR_FILENO, line.data(), line.size());
  _exit(4);
}

void ArmTimer(unsigned milliseconds) {
  if (!g_timer_created) return;
  itimerspec spec{};
  spec.it_value.tv_sec = milliseconds / 1000;
  spec.it_value.tv_nsec = long(milliseconds % 1000) * 1000000L;
  timer_settime(g_timer, 0, &spec, nullptr);
}

// Serve one in/out through the board, or fail the run.
void ServePort(const PortInstruction& insn, greg_t* regs) {
  const uint64_t rip = uint64_t(regs[REG_RIP]);
  const uint16_t port = insn.port_in_dx ? uint16_t(regs[REG_RDX]) : insn.immediate_port;
  Board& board = TheBoard();
  bool served;
  if (insn.is_write) {
    served = board.Write(port, insn.width, uint32_t(regs[REG_RAX]), rip);
  } else {
    uint32_t value = 0;
    served = board.Read(port, insn.width, rip, value);
    uint64_t rax = uint64_t(regs[REG_RAX]);
    if (insn.width == 1) rax = (rax & ~0xFFull) | value;
    if (insn.width == 2) rax = (rax & ~0xFFFFull) | value;
    if (insn.width == 4) rax = value;  // a 32-bit destination clears the upper half
    regs[REG_RAX] = greg_t(rax);
  }
  if (!served) {
    TrapFault fault;
  fault.kind = FaultKind::UnpopulatedPort;
    fault.instruction = rip;
    fault.port = port;
    fault.width = insn.width;
    fault.write = insn.is_write;
    Fail(fault);
  }
  regs[REG_RIP] = greg_t(rip + insn.length);
}

void OnSegv(int, siginfo_t* info, void* context) {
  auto* uc = static_cast<ucontext_t*>(context);
  greg_t* regs = uc->uc_mcontext.gregs;
  const uint64_t rip = uint64_t(regs[REG_RIP]);
  if (info->si_code == kSiKernel) {
    // The processor fetched the instruction, so its bytes up to the page end are readable.
    const auto* bytes = reinterpret_cast<const uint8_t*>(rip);
    const size_t to_page_end = 4096 - (rip & 4095);
    const size_t available = to_page_end < 15 ? to_page_end : 15;
    if (auto insn = DecodePortInstruction(bytes, available)) return ServePort(*insn, regs);
    TrapFault fault;
  fault.kind = FaultKind::UnsupportedInstruction;
    fault.instruction = rip;
    for (size_t i = 0; i < sizeof fault.bytes && i < available; ++i) fault.bytes[i] = bytes[i];
    Fail(fault);
  }
  if (!g_armed) {
    // A fault of the host itself: let it crash as it would without the trap.
    signal(SIGSEGV, SIG_DFL);
    return;
  }
  const uint64_t error_code = uint64_t(regs[REG_ERR]);
  TrapFault fault;
  fault.kind = (error_code & 0x10) ? FaultKind::Execution : FaultKind::MemoryAccess;
  fault.instruction = rip;
  fault.address = reinterpret_cast<uint64_t>(info->si_addr);
  fault.write = (error_code & 0x2) != 0;
  Fail(fault);
}

void OnTrap(int, siginfo_t* info, void* context) {
  auto* uc = static_cast<ucontext_t*>(context);
  if (info->si_code != kSiKernel && info->si_code != TRAP_BRKPT) {
    signal(SIGTRAP, SIG_DFL);
    return;
  }
  // int3 leaves the instruction pointer just past its one byte.
  g_breakpoints.push_back(uint64_t(uc->uc_mcontext.gregs[REG_RIP]) - 1);
}

// ud2 and divide errors: the image's own faults, reported at the instruction.
void OnException(int signal_number, siginfo_t*, void* context) {
  if (!g_armed) {
    signal(signal_number, SIG_DFL);
    return;
  }
  auto* uc = static_cast<ucontext_t*>(context);
  TrapFault fault;
  fault.kind = FaultKind::ProcessorException;
  fault.signal = signal_number;
  fault.instruction = uint64_t(uc->uc_mcontext.gregs[REG_RIP]);
  Fail(fault);
}

void OnAlarm(int, siginfo_t*, void* context) {
  if (!g_armed) return;
  if (g_service_depth > 0) {
    ArmTimer(5);
    return;
  }
  auto* uc = static_cast<ucontext_t*>(context);
  TrapFault fault;
  fault.kind = FaultKind::Timeout;
  fault.instruction = uint64_t(uc->uc_mcontext.gregs[REG_RIP]);
  Fail(fault);
}

void Install(int signal_number, void (*handler)(int, siginfo_t*, void*)) {
  struct sigaction action {};
  action.sa_sigaction = handler;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK;
  sigfillset(&action.sa_mask);
  sigaction(signal_number, &action, nullptr);
}

}  // namespace

void InstallTrapHandlers() {
  static bool stack_installed = false;
  if (!stack_installed) {
    void* memory = mmap(nullptr, kAltStackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory != MAP_FAILED) {
      stack_t stack{};
      stack.ss_sp = memory;
      stack.ss_size = kAltStackSize;
      sigaltstack(&stack, nullptr);
      stack_installed = true;
    }
  }
  Install(SIGSEGV, OnSegv);
  Install(SIGTRAP, OnTrap);
  Install(SIGILL, OnException);
  Install(SIGFPE, OnException);
  Install(SIGALRM, OnAlarm);
  if (!g_timer_created) {
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGALRM;
    g_timer_created = timer_create(CLOCK_MONOTONIC, &event, &g_timer) == 0;
  }
}

std::optional<TrapFault> RunTrapped(const std::function<void()>& body, unsigned timeout_ms) {
  InstallTrapHandlers();
  ArmedRun* const run = new ArmedRun;
  run->outer = g_armed;
  run->service_depth = g_service_depth;
  std::optional<TrapFault> result;
  if (sigsetjmp(run->jump, 1) == 0) {
    g_armed = run;
    if (timeout_ms) ArmTimer(timeout_ms);
    body();
  } else {
    result = run->fault;
    g_service_depth = run->service_depth;
  }
  if (timeout_ms) ArmTimer(0);
  g_armed = run->outer;
  delete run;
  return result;
}

void StopRun(const std::string& message, uint64_t caller) {
  TrapFault fault;
  fault.kind = FaultKind::Stopped;
  fault.instruction = caller;
  fault.message = message;
  Fail(fault);
}

const std::vector<uint64_t>& Breakpoints() { return g_breakpoints; }
void ClearBreakpoints() { g_breakpoints.clear(); }

HostServiceScope::HostServiceScope() { g_service_depth = g_service_depth + 1; }
HostServiceScope::~HostServiceScope() { g_service_depth = g_service_depth - 1; }

void SetAddressDescriber(std::function<std::string(uint64_t)> describer) { g_describer = std::move(describer); }

std::string DescribeAddress(uint64_t address) { return g_describer ? g_describer(address) : Hex(address); }

std::string DescribeFault(const TrapFault& f) {
  const std::string at = " at " + DescribeAddress(f.instruction);
  switch (f.kind) {
    case FaultKind::UnpopulatedPort:
      return std::string("no device decodes port ") + Hex(f.port) + " (" + std::to_string(f.width * 8) + "-bit " +
             (f.write ? "write" : "read") + ")" + at;
    case FaultKind::UnsupportedInstruction: {
      char bytes[40];
      std::snprintf(bytes, sizeof bytes, "%02X %02X %02X %02X", f.bytes[0], f.bytes[1], f.bytes[2], f.bytes[3]);
      return std::string("unsupported privileged instruction (bytes ") + bytes + ")" + at;
    }
    case FaultKind::MemoryAccess:
      return std::string("unserved memory ") + (f.write ? "write" : "read") + " of " + DescribeAddress(f.address) + at;
    case FaultKind::Execution: return "execution of non-code memory " + DescribeAddress(f.address) + at;
    case FaultKind::ProcessorException:
      return std::string(f.signal == SIGFPE ? "divide error" : "invalid opcode") + at;
    case FaultKind::Timeout: return "time limit reached; the image was running" + at;
    case FaultKind::Stopped: return f.message + ", called from " + DescribeAddress(f.instruction);
  }
  return "unknown fault";
}

}  // namespace vorq::emu
