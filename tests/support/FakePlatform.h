// A small in-process stand-in for the firmware around the module's host build: a UEFI system
// table with boot services, an SMM system table, the SMM Base2 and SMM Access2 protocols and
// a protocol database. The SMM pool hands out blocks from a fixed arena that the SMRAM map
// reports; the boot-services pool uses the C library's heap, outside every SMRAM range.
// Every block is accounted so that a test sees leaks, wrong-pool frees and double frees.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "Pi/SmmSystemTable.h"
#include "Protocol/SmmAccess2.h"
#include "Protocol/SmmBase2.h"
#include "Uefi.h"

class FakePlatform {
 public:
  FakePlatform();
  ~FakePlatform();
  FakePlatform(const FakePlatform &) = delete;
  FakePlatform &operator=(const FakePlatform &) = delete;

  // The one platform the module's globals may point at; a test owns it for its scope.
  static FakePlatform &Current();

  EFI_SYSTEM_TABLE SystemTable{};
  EFI_BOOT_SERVICES BootServices{};
  EFI_RUNTIME_SERVICES RuntimeServices{};
  EFI_SMM_SYSTEM_TABLE2 Smst{};
  EFI_SMM_BASE2_PROTOCOL SmmBase2{};
  EFI_SMM_ACCESS2_PROTOCOL SmmAccess2{};

  // Behaviour a test can set.
  bool InSmm = true;
  bool SmmBase2Present = true;
  bool SmmAccess2Present = true;
  std::vector<EFI_SMRAM_DESCRIPTOR> SmramMap;  // defaults to one range over the arena
  UINTN ReportedMapSize = ~0ULL;               // ~0: the map's true byte size
  // Fail SMM allocation number N (1-based, counted from the last ResetCounters) or, with
  // FailAllAfter, every one from N on. 0: none fails. StoreOnFailure: a failing call still
  // stores a pointer, as a faulty pool service might.
  unsigned FailSmmAllocation = 0;
  bool FailAllAfter = false;
  bool StoreOnFailure = false;
  bool FailBootAllocation = false;
  EFI_STATUS InstallProtocolStatus = EFI_SUCCESS;

  // What happened.
  struct Block {
    UINTN Size;
    EFI_MEMORY_TYPE Type;
  };
  std::map<const void *, Block> LiveSmmBlocks;
  std::map<const void *, Block> LiveBootBlocks;
  unsigned SmmAllocations = 0;
  unsigned BootAllocations = 0;
  std::vector<std::string> Faults;  // double frees, foreign or wrong-pool frees
  std::vector<std::string> Calls;   // service calls, in order
  struct InstalledProtocol {
    EFI_GUID Guid;
    VOID *Interface;
  };
  std::vector<InstalledProtocol> SmmProtocols;
  std::vector<EFI_CONFIGURATION_TABLE> ConfigurationTables;

  // Adds a protocol to the SMM database, as another driver would.
  void InstallSmmProtocol(const EFI_GUID &Guid, VOID *Interface);
  // True when Address lies in the SMM pool's arena.
  bool InArena(const void *Address) const;
  void ResetCounters();

  static constexpr std::size_t kArenaSize = 4 << 20;

 private:
  unsigned char *Arena;
  std::size_t ArenaUsed = 0;
  void RefreshConfigurationTable();

  static EFI_STATUS EFIAPI AllocatePool(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer);
  static EFI_STATUS EFIAPI FreePool(VOID *Buffer);
  static EFI_STATUS EFIAPI LocateProtocol(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface);
  static EFI_STATUS EFIAPI HandleProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface);
  static EFI_STATUS EFIAPI InstallConfigurationTable(const EFI_GUID *Guid, VOID *Table);
  static EFI_STATUS EFIAPI SmmAllocatePool(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer);
  static EFI_STATUS EFIAPI SmmFreePool(VOID *Buffer);
  static EFI_STATUS EFIAPI SmmInstallProtocolInterface(EFI_HANDLE *Handle, const EFI_GUID *Protocol,
                                                       EFI_INTERFACE_TYPE InterfaceType, VOID *Interface);
  static EFI_STATUS EFIAPI SmmLocateProtocol(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface);
  static EFI_STATUS EFIAPI InSmmService(const EFI_SMM_BASE2_PROTOCOL *This, BOOLEAN *InSmram);
  static EFI_STATUS EFIAPI GetSmstLocation(const EFI_SMM_BASE2_PROTOCOL *This, EFI_SMM_SYSTEM_TABLE2 **Smst);
  static EFI_STATUS EFIAPI GetCapabilities(const EFI_SMM_ACCESS2_PROTOCOL *This, UINTN *SmramMapSize,
                                           EFI_SMRAM_DESCRIPTOR *SmramMap);
};

bool SameGuid(const EFI_GUID &First, const EFI_GUID &Second);

// Every global the module's constructors set, back to its load-time value.
void ResetModuleGlobals();

// Points the module's service-table globals at the current platform, as the constructors at
// positions 2 to 5 would, and clears them again at the end of the scope.
class ModuleTablesBound {
 public:
  explicit ModuleTablesBound(FakePlatform &Platform, bool ReadSmramMap = true);
  ~ModuleTablesBound();
};
