#include "SignalCatcher.h"

#include <sys/time.h>

namespace {

sigjmp_buf gResume;
volatile sig_atomic_t gTraps = 0;

void JumpBack(int) { siglongjmp(gResume, 1); }
void CountTrap(int) { gTraps = gTraps + 1; }

// Runs Body with Handler on Signal; true when the handler jumped back.
bool RunWithHandler(int Signal, void (*Handler)(int), const std::function<void()> &Body) {
  struct sigaction Action = {};
  struct sigaction Saved = {};
  Action.sa_handler = Handler;
  sigemptyset(&Action.sa_mask);
  sigaction(Signal, &Action, &Saved);
  bool Jumped = true;
  if (sigsetjmp(gResume, 1) == 0) {
    Body();
    Jumped = false;
  }
  sigaction(Signal, &Saved, nullptr);
  return Jumped;
}

}  // namespace

bool EndsInFault(const std::function<void()> &Body) { return RunWithHandler(SIGSEGV, JumpBack, Body); }

bool StillRunningAfter(unsigned TimeoutMs, const std::function<void()> &Body) {
  return RunWithHandler(SIGALRM, JumpBack, [&] {
    itimerval Timer = {};
    Timer.it_value.tv_sec = TimeoutMs / 1000;
    Timer.it_value.tv_usec = (TimeoutMs % 1000) * 1000;
    setitimer(ITIMER_REAL, &Timer, nullptr);
    Body();
    itimerval Off = {};
    setitimer(ITIMER_REAL, &Off, nullptr);
  });
}

unsigned CountBreakpoints(const std::function<void()> &Body) {
  gTraps = 0;
  RunWithHandler(SIGTRAP, CountTrap, Body);
  return gTraps;
}
