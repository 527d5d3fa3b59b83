// Runs a piece of module code that is expected to end in a processor fault or to stop in a
// signal, and comes back to the test instead of ending the process.
//
// On the host a port instruction and an access past the top of the address space fault
// (SIGSEGV); a breakpoint raises SIGTRAP and execution goes on after it.
#pragma once
#include <csetjmp>
#include <csignal>
#include <functional>

// True when Body ended in SIGSEGV; false when it returned.
bool EndsInFault(const std::function<void()> &Body);

// True when Body was still running after TimeoutMs and was abandoned then.
bool StillRunningAfter(unsigned TimeoutMs, const std::function<void()> &Body);

// The number of SIGTRAPs raised while Body ran; execution continues after each.
unsigned CountBreakpoints(const std::function<void()> &Body);
