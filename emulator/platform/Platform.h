// The PI SMM environment the image starts in: the UEFI system table and its services, the
// SMST, the SMM Base2 and Access2 protocols, two protocol databases, two pools and the
// external pointer checker of another SMM driver. One platform per process (its services
// are plain functions called by the image); CurrentPlatform() is the one in use.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <Uefi.h>

#include "platform/FixedRegion.h"
#include "platform/Pool.h"
#include "platform/ProtocolDatabase.h"

namespace vorq::emu {

enum class CheckerMode {
  Policy,           // refuse a buffer that overlaps an SMRAM range or wraps the address space
  Absent,           // not installed: the module's lookup fails
  RefuseData,       // refuse the caller's data buffer, the policy for everything else
  RefuseSignature,  // refuse the caller's signature buffer, the policy for everything else
  Answer2,          // answer 2 (neither TRUE nor FALSE) to every call
  AcceptAll,        // answer 0 to every call
};

// RegionState of every reported range: EFI_SMRAM_CLOSED | EFI_CACHEABLE.
constexpr uint64_t kSmramRegionState = 0x0A;

struct SmramRange {
  uint64_t start;
  uint64_t size;
};

// Allocation failures to inject. Counts start at 1; 0 means never.
struct AllocationFaults {
  uint64_t fail_smm_nth_after_load = 0;    // the Nth SMM allocation after the entry returned
  uint64_t fail_smm_all_after_load = 0;    // every SMM allocation after the first N after load
  bool fail_smm_all_after_load_set = false;
  uint64_t fail_smm_nth_during_load = 0;   // the Nth SMM allocation of the load
  uint64_t fail_boot_nth_during_load = 0;  // the Nth boot-services allocation of the load
};

struct PlatformOptions {
  std::optional<uint64_t> tsc_table_hz;         // a TSC table another module already installed
  CheckerMode checker = CheckerMode::Policy;
  std::vector<SmramRange> smram_map;            // empty: one range covering the emulated SMRAM
  std::optional<uint64_t> smram_map_bytes;      // the size GetCapabilities reports, if not 32 per range
  AllocationFaults faults;
  uint32_t system_table_revision = (2u << 16) | 70;  // UEFI 2.7
  bool failed_allocation_stores_poison = false;      // store a non-NULL pointer when failing
};

enum class Phase { Load, Call };

struct CheckerCall {
  uint64_t buffer, length;
  uint8_t answer;
  uint64_t caller;
};

struct ServiceCall {
  const char* name;
  uint64_t caller;
  EFI_STATUS status;
};

struct CallerBuffer {
  uint64_t address = 0, size = 0;
};

class Platform {
 public:
  // Builds every table in the given regions; `smram` must be the emulated SMRAM.
  bool Build(const PlatformOptions& options, FixedRegion& smram, FixedRegion& firmware, FixedRegion& boot_pool,
             std::string* error);
  ~Platform();

  void SetLoadedImage(uint64_t base, uint64_t size);
  void EnterPhase(Phase phase);

  EFI_SYSTEM_TABLE* SystemTable() const { return system_table_; }
  EFI_SMM_SYSTEM_TABLE2* Smst() const { return smst_; }
  EFI_HANDLE ImageHandle() const { return image_handle_; }
  const PlatformOptions& Options() const { return options_; }
  const std::vector<SmramRange>& SmramMap() const { return smram_map_; }
  bool InSmram(uint64_t address) const { return smram_->Contains(address); }

  Pool smm_pool, boot_pool;
  ProtocolDatabase uefi_protocols, smm_protocols;
  std::vector<CheckerCall> checker_calls;
  std::vector<ServiceCall> service_calls;
  std::vector<std::string> misuse;  // pool misuse and the like: each one fails the run
  CallerBuffer data, signature;     // what the checker modes recognise
  Phase phase = Phase::Load;
  uint64_t smm_allocations_in_phase = 0, boot_allocations_in_phase = 0;

  // Platform-owned memory: tables and records the image may read.
  void* FirmwareAllocate(uint64_t size);  // outside SMRAM
  void* SmramAllocate(uint64_t size);     // SMM core data inside SMRAM

  EFI_CONFIGURATION_TABLE* config_entries = nullptr;
  static constexpr uint64_t kConfigCapacity = 32;
  void UpdateSystemTableCrc();

 private:
  void BuildSystemTable();
  void BuildSmst();
  void BuildProtocols();
  PlatformOptions options_;
  std::vector<SmramRange> smram_map_;
  FixedRegion* smram_ = nullptr;
  FixedRegion* firmware_ = nullptr;
  uint64_t firmware_used_ = 0, smram_used_ = 0;
  EFI_SYSTEM_TABLE* system_table_ = nullptr;
  EFI_SMM_SYSTEM_TABLE2* smst_ = nullptr;
  EFI_HANDLE image_handle_ = nullptr;
  struct LoadedImageRecord* loaded_image_ = nullptr;
};

Platform* CurrentPlatform();

// The service slots of ServiceStubs.S that carry served members; the rest report calls.
enum ServiceSlot : unsigned {
  kSlotAllocatePool,
  kSlotFreePool,
  kSlotHandleProtocol,
  kSlotInstallConfigurationTable,
  kSlotLocateProtocol,
  kSlotSmmAllocatePool,
  kSlotSmmFreePool,
  kSlotSmmInstallProtocolInterface,
  kSlotSmmLocateProtocol,
  kSlotInSmm,
  kSlotGetSmstLocation,
  kSlotGetCapabilities,
  kSlotCheckBuffer,
  kFirstUnexpectedSlot = 16,
};

// The table member an unexpected slot stands for ("EFI_BOOT_SERVICES.Stall").
const char* UnexpectedMemberName(unsigned slot);
// The stub of the first free unexpected slot, bound to `member`.
void* UnexpectedMemberStub(const char* member);
void* ServiceStub(ServiceSlot slot);
void BindServiceTable();

}  // namespace vorq::emu
