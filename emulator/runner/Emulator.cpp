#include "runner/Emulator.h"

#include <sys/mman.h>

#include <chrono>

#include <cstring>
#include <fstream>
#include <iterator>

#include <Protocol/SmmImageAuthentication.h>

#include "loader/ImageMapper.h"
#include "platform/AddressMap.h"
#include "support/Guids.h"
#include "support/Hex.h"

extern "C" uint64_t emu_call_on_stack(const void* function, uint64_t a0, uint64_t a1, uint64_t a2, uint64_t a3,
                                      uint64_t stack_top);

namespace vorq::emu {
namespace {

constexpr uint8_t kStackPaint = 0x5A;
bool g_emulator_alive = false;

uint64_t RoundUpPage(uint64_t v) { return (v + layout::kPage - 1) & ~(layout::kPage - 1); }

std::string Offset(const char* region, uint64_t address, uint64_t base) {
  return Hex(address) + " (" + region + "+" + Hex(address - base) + ")";
}

}  // namespace

Emulator::Emulator(EmulatorOptions options) : options_(std::move(options)) {}

Emulator::~Emulator() {
  SetAddressDescriber(nullptr);
  TheBoard().Uart().SetLog(nullptr);
  if (serial_log_) std::fclose(serial_log_);
  TheBoard().UnmapPcieWindow();
  if (smram_.Base()) g_emulator_alive = false;
}

uint64_t Emulator::ImageBase() const { return smram_.Address() + layout::kImageOffset; }

std::string Emulator::Describe(uint64_t a) const {
  const uint64_t smram = smram_.Address();
  if (loaded_ && a - ImageBase() < plan_.size_of_image) return Offset("image", a, ImageBase());
  if (a - (smram + layout::kStackGuardOffset) < layout::kPage)
    return Hex(a) + " (stack guard page: the image's stack overflowed)";
  if (a - (smram + layout::kStackOffset) < layout::kStackSize) return Offset("stack", a, smram + layout::kStackOffset);
  if (a - (smram + layout::kSmmPoolOffset) < layout::kSmmPoolSize) return Offset("SMM pool", a, smram + layout::kSmmPoolOffset);
  if (smram_.Contains(a)) return Offset("SMRAM", a, smram);
  if (data_.Contains(a) || a - layout::kCallerDataBase < layout::kCallerDataRoom)
    return Offset("caller data", a, platform_.data.address);
  if (signature_.Contains(a) || a - layout::kCallerSignatureBase < layout::kCallerSignatureRoom)
    return Offset("caller signature", a, platform_.signature.address);
  if (boot_pool_.Contains(a)) return Offset("boot-services pool", a, boot_pool_.Address());
  if (firmware_.Contains(a)) return Offset("firmware tables", a, firmware_.Address());
  if (a - window::kPcieWindowBase < (1ull << 28)) return Offset("PCIe window", a, window::kPcieWindowBase);
  if (a < layout::kPage) return Hex(a) + " (page 0: a NULL pointer)";
  return Hex(a);
}

bool Emulator::Start(std::string* error) {
  if (g_emulator_alive) {
    if (error) *error = "another emulator is running in this process";
    return false;
  }
  InstallTrapHandlers();
  if (!smram_.Map(layout::kSmramBase, layout::kSmramSize, "SMRAM", error)) return false;
  if (!firmware_.Map(layout::kFirmwareDataBase, layout::kFirmwareDataSize, "firmware tables", error)) return false;
  if (!boot_pool_.Map(layout::kBootPoolBase, layout::kBootPoolSize, "the boot-services pool", error)) return false;
  g_emulator_alive = true;
  TheBoard().Reset(options_.board);
  ClearBreakpoints();
  if (!TheBoard().MapPcieWindow(error)) return false;
  if (!options_.serial_log_path.empty()) {
    serial_log_ = std::fopen(options_.serial_log_path.c_str(), "wb");
    if (!serial_log_) {
      if (error) *error = "cannot open the serial log " + options_.serial_log_path;
      return false;
    }
    std::setvbuf(serial_log_, nullptr, _IONBF, 0);  // bytes reach the file even if the run is stopped
    TheBoard().Uart().SetLog(serial_log_);
  }
  // The guard page below the stack turns an overflow into a reported fault.
  mprotect(smram_.Base() + layout::kStackGuardOffset, layout::kPage, PROT_NONE);
  SetAddressDescriber([this](uint64_t a) { return Describe(a); });
  return platform_.Build(options_.platform, smram_, firmware_, boot_pool_, error);
}

bool Emulator::LoadImage(std::span<const uint8_t> file, std::string* error) {
  ParsedImage parsed = ParsePeImage(file, layout::kImageRoom);
  if (!parsed.plan) {
    if (error) *error = "bad image: " + parsed.error.Text();
    return false;
  }
  plan_ = *parsed.plan;
  const std::string mapped = MapImage(plan_, file, smram_.Base() + layout::kImageOffset);
  if (!mapped.empty()) {
    if (error) *error = mapped;
    return false;
  }
  loaded_ = true;
  platform_.SetLoadedImage(ImageBase(), plan_.size_of_image);
  return true;
}

bool Emulator::LoadImageFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot read the image " + path;
    return false;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return LoadImage(bytes, error);
}

Emulator::Called Emulator::CallImage(const void* function, uint64_t a0, uint64_t a1, uint64_t a2, uint64_t a3) {
  uint8_t* stack = smram_.Base() + layout::kStackOffset;
  std::memset(stack, kStackPaint, layout::kStackSize);
  const uint64_t top = reinterpret_cast<uint64_t>(stack) + layout::kStackSize;
  Called called{false, 0, std::nullopt, 0};
  uint64_t result = 0;
  called.fault = RunTrapped([&] { result = emu_call_on_stack(function, a0, a1, a2, a3, top); }, options_.timeout_ms);
  called.returned = !called.fault;
  called.result = result;
  uint64_t untouched = 0;
  while (untouched < layout::kStackSize && stack[untouched] == kStackPaint) ++untouched;
  called.stack_high_water = layout::kStackSize - untouched;
  return called;
}

EntryOutcome Emulator::RunEntry() {
  EntryOutcome outcome;
  if (!loaded_) {
    outcome.misuse.push_back("no image is loaded");
    return outcome;
  }
  platform_.EnterPhase(Phase::Load);
  const size_t misuse_before = platform_.misuse.size();
  const void* entry = reinterpret_cast<const void*>(ImageBase() + plan_.entry_rva);
  const auto started = std::chrono::steady_clock::now();
  const Called called = CallImage(entry, reinterpret_cast<uint64_t>(platform_.ImageHandle()),
                                  reinterpret_cast<uint64_t>(platform_.SystemTable()), 0, 0);
  outcome.elapsed_ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  outcome.returned = called.returned;
  outcome.status = called.result;
  outcome.fault = called.fault;
  outcome.stack_high_water = called.stack_high_water;
  outcome.misuse.assign(platform_.misuse.begin() + misuse_before, platform_.misuse.end());
  after_load_blocks_ = platform_.smm_pool.LiveBlocks();
  platform_.EnterPhase(Phase::Call);
  return outcome;
}

bool Emulator::PlaceCallerBuffer(FixedRegion& region, uint64_t address, uint64_t room, std::span<const uint8_t> bytes,
                                 CallerBuffer& placed, std::string* error) {
  // The bytes end where an inaccessible guard page begins, so reading one byte too far faults.
  const uint64_t pages = RoundUpPage(bytes.size() ? bytes.size() : 1);
  if (pages + layout::kPage > room) {
    *error = "caller buffer of " + std::to_string(bytes.size()) + " bytes does not fit its room of " + Hex(room);
    return false;
  }
  if (!region.Map(address, pages + layout::kPage, "a caller buffer", error)) return false;
  uint8_t* start = region.Base() + pages - bytes.size();
  std::memcpy(start, bytes.data(), bytes.size());
  mprotect(region.Base(), pages, PROT_READ);
  mprotect(region.Base() + pages, layout::kPage, PROT_NONE);
  placed = {reinterpret_cast<uint64_t>(start), bytes.size()};
  return true;
}

EFI_STATUS Emulator::LocateSmmProtocol(const EFI_GUID& guid, void** interface) {
  return platform_.Smst()->SmmLocateProtocol(&guid, nullptr, interface);
}

CallOutcome Emulator::Authenticate(std::span<const uint8_t> data, std::span<const uint8_t> signature) {
  CallOutcome outcome;
  if (!PlaceCallerBuffer(data_, layout::kCallerDataBase, layout::kCallerDataRoom, data, platform_.data, &outcome.error) ||
      !PlaceCallerBuffer(signature_, layout::kCallerSignatureBase, layout::kCallerSignatureRoom, signature,
                         platform_.signature, &outcome.error))
    return outcome;
  return AuthenticateAt(platform_.data.address, platform_.data.size, platform_.signature.address,
                        platform_.signature.size);
}

CallOutcome Emulator::AuthenticateAt(uint64_t data, uint64_t data_size, uint64_t signature, uint64_t signature_size) {
  CallOutcome outcome;
  platform_.data = {data, data_size};
  platform_.signature = {signature, signature_size};
  void* interface = nullptr;
  const EFI_STATUS located = LocateSmmProtocol(kSmmImageAuthenticationProtocolGuid, &interface);
  if (located != EFI_SUCCESS || interface == nullptr) {
    outcome.error = "SMM_IMAGE_AUTHENTICATION_PROTOCOL is not installed (SmmLocateProtocol: " + Hex(located) + ")";
    return outcome;
  }
  outcome.located = true;
  auto* protocol = static_cast<SMM_IMAGE_AUTHENTICATION_PROTOCOL*>(interface);

  const size_t checks_before = platform_.checker_calls.size(), misuse_before = platform_.misuse.size();
  platform_.smm_pool.RestartPeak();
  const PoolStats before = platform_.smm_pool.Stats();
  const auto blocks_before = platform_.smm_pool.LiveBlocks();
  const Called called =
      CallImage(reinterpret_cast<const void*>(protocol->AuthenticateImage), data, data_size, signature, signature_size);
  outcome.returned = called.returned;
  outcome.status = called.result;
  outcome.fault = called.fault;
  outcome.stack_high_water = called.stack_high_water;
  const PoolStats after = platform_.smm_pool.Stats();
  outcome.smm_pool_peak_bytes = after.peak_bytes - before.live_bytes;
  outcome.smm_pool_peak_blocks = after.peak_blocks - before.live_blocks;
  for (const auto& [address, block] : platform_.smm_pool.LiveBlocks())
    if (!blocks_before.count(address)) outcome.leaks.push_back({address, block.size});
  for (const auto& [address, block] : blocks_before)
    if (!platform_.smm_pool.LiveBlocks().count(address)) outcome.released.push_back({address, block.size});
  outcome.checker_calls.assign(platform_.checker_calls.begin() + checks_before, platform_.checker_calls.end());
  outcome.misuse.assign(platform_.misuse.begin() + misuse_before, platform_.misuse.end());
  return outcome;
}

}  // namespace vorq::emu
