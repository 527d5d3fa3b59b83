// The emulator as a library: one board, one platform, one image per process at a time.
//
//   Emulator emulator(options);
//   if (!emulator.Start(&error)) ...                 // maps SMRAM, pools, window, tables
//   if (!emulator.LoadImageFile(path, &error)) ...   // parse, map, relocate, protect (exit 4)
//   EntryOutcome entry = emulator.RunEntry();        // ImageEntryPoint on the painted stack
//   CallOutcome call = emulator.Authenticate(data, signature);
//
// Every outcome carries the fault (if any) that stopped the image, the stack high-water,
// pool figures, and what the run did wrong (pool misuse, leaks): Failed() says whether the
// run counts as an emulator or image error (exit code 4).
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "devices/Board.h"
#include "loader/PeImage.h"
#include "platform/FixedRegion.h"
#include "platform/Platform.h"
#include "trap/Trap.h"

namespace vorq::emu {

struct EmulatorOptions {
  PlatformOptions platform;
  BoardConfig board;
  unsigned timeout_ms = 10000;  // per call into the image; 0: none
  std::string serial_log_path;  // every byte the UART transmits, as it is transmitted
};

struct LeakedBlock {
  uint64_t address, size;
};

struct EntryOutcome {
  bool returned = false;  // false: `fault` stopped it
  EFI_STATUS status = 0;
  std::optional<TrapFault> fault;
  uint64_t stack_high_water = 0;
  double elapsed_ms = 0;  // wall time of the entry, trapped accesses included
  std::vector<std::string> misuse;
  bool Failed() const { return !returned || !misuse.empty(); }
};

struct CallOutcome {
  bool located = false;  // the protocol was found through the SMST
  bool returned = false;
  EFI_STATUS status = 0;
  std::optional<TrapFault> fault;
  std::string error;     // setup failures (buffers that cannot be placed, protocol missing)
  uint64_t stack_high_water = 0;
  uint64_t smm_pool_peak_bytes = 0, smm_pool_peak_blocks = 0;  // above the after-load state
  std::vector<LeakedBlock> leaks;           // SMM blocks the call left behind
  std::vector<LeakedBlock> released;        // load-time SMM blocks the call freed
  std::vector<CheckerCall> checker_calls;   // of this call only
  std::vector<std::string> misuse;          // of this call only
  bool Failed() const { return !error.empty() || !returned || !leaks.empty() || !released.empty() || !misuse.empty(); }
};

class Emulator {
 public:
  explicit Emulator(EmulatorOptions options);
  ~Emulator();
  Emulator(const Emulator&) = delete;
  Emulator& operator=(const Emulator&) = delete;

  bool Start(std::string* error);
  bool LoadImage(std::span<const uint8_t> file, std::string* error);
  bool LoadImageFile(const std::string& path, std::string* error);
  EntryOutcome RunEntry();
  CallOutcome Authenticate(std::span<const uint8_t> data, std::span<const uint8_t> signature);
  // The same call with buffers wherever the test wants them: NULL, inside SMRAM, wrapping
  // the address space. Nothing is placed or copied; the checker modes still recognise them.
  CallOutcome AuthenticateAt(uint64_t data, uint64_t data_size, uint64_t signature, uint64_t signature_size);
  // Through the SMST's SmmLocateProtocol, as another SMM driver would.
  EFI_STATUS LocateSmmProtocol(const EFI_GUID& guid, void** interface);

  // Calls a Microsoft x64 function of the image on the painted stack, trapped, with a time limit.
  struct Called {
    bool returned;
    uint64_t result;
    std::optional<TrapFault> fault;
    uint64_t stack_high_water;
  };
  Called CallImage(const void* function, uint64_t a0, uint64_t a1, uint64_t a2, uint64_t a3);

  Platform& ThePlatform() { return platform_; }
  const Platform& ThePlatform() const { return platform_; }
  Board& Devices() { return TheBoard(); }
  const ImagePlan& Image() const { return plan_; }
  uint64_t ImageBase() const;
  std::string Describe(uint64_t address) const;
  // SMRAM blocks live when the entry returned: the state every call must leave.
  const std::map<uint64_t, PoolBlock>& AfterLoadBlocks() const { return after_load_blocks_; }

 private:
  bool PlaceCallerBuffer(FixedRegion& region, uint64_t address, uint64_t room, std::span<const uint8_t> bytes,
                         CallerBuffer& placed, std::string* error);
  EmulatorOptions options_;
  FixedRegion smram_, firmware_, boot_pool_, data_, signature_;
  Platform platform_;
  ImagePlan plan_{};
  bool loaded_ = false;
  std::FILE* serial_log_ = nullptr;
  std::map<uint64_t, PoolBlock> after_load_blocks_;
};

}  // namespace vorq::emu
