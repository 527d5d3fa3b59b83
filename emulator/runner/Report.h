// The report lines of the CLI, one fact per line, "key: value", stable for grep:
//
//   entry status: Success (0x0)
//   authenticate status: Security Violation (0x800000000000001A)
//
// README.md lists every line.
#pragma once
#include <ostream>
#include <string>

#include "runner/Emulator.h"

namespace vorq::emu {

void PrintImage(std::ostream& out, const Emulator& emulator, const std::string& path);
void PrintEntry(std::ostream& out, Emulator& emulator, const EntryOutcome& entry);
void PrintCall(std::ostream& out, Emulator& emulator, const CallOutcome& call);
void PrintPortLog(std::ostream& out, Emulator& emulator);
void PrintServiceLog(std::ostream& out, Emulator& emulator);

// 0 EFI_SUCCESS, 1 EFI_SECURITY_VIOLATION, 2 EFI_OUT_OF_RESOURCES, 3 any other status.
int ExitCodeForStatus(uint64_t status);
constexpr int kExitEmulatorOrImageError = 4;

}  // namespace vorq::emu
