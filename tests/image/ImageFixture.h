// Runs the real image in the emulator, in-process, one fresh board per run: load, entry,
// then AuthenticateImage as another SMM driver calls it.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "SignatureForge.h"
#include "runner/Emulator.h"

struct ImageRun {
  vorq::emu::EntryOutcome Entry;
  std::vector<vorq::emu::CallOutcome> Calls;
  std::vector<std::uint8_t> Serial;  // every byte the UART sent
  std::vector<vorq::emu::PortAccess> Ports;
  std::optional<std::uint64_t> TscTableHz;  // the TSC frequency table, when installed
  std::size_t ConfigurationTables = 0;
  std::size_t BootPoolBlocks = 0;
  std::uint16_t AcpiBaseRegister = 0;  // LPC bridge 0x40
  std::uint8_t AcpiControlRegister = 0;  // LPC bridge 0x44
};

// Options of an ordinary board: the policy checker, no faults.
vorq::emu::EmulatorOptions BoardOptions();

// Loads IMAGE on a board with OPTIONS, runs the entry and then one AuthenticateImage call per
// (data, signature) pair. When Prepare is given it runs after the entry, before the calls.
ImageRun RunImage(const std::string &Image, const vorq::emu::EmulatorOptions &Options,
                  const std::vector<std::pair<Bytes, Bytes>> &Calls = {},
                  const std::function<void(vorq::emu::Emulator &)> &Prepare = {});

// The signer whose key the test image trusts.
const TestSigner &TestImageSigner();

// The call returned, raised no fault, left the SMM pool as it found it and misused nothing.
void ExpectCleanCall(const vorq::emu::CallOutcome &Call);

// Writes what went wrong in a call, for a failed expectation.
std::string Describe(const vorq::emu::CallOutcome &Call);
