#include "FakePlatform.h"

#include <cstdlib>
#include <cstring>

#include "Library/MemoryAllocationLib.h"
#include "Library/TscTimerLib.h"
#include "Library/VorqSmmExternalPointerCheckerLib.h"
#include "Library/SmmServicesTableLib.h"
#include "Library/UefiBootServicesTableLib.h"
#include "Library/UefiRuntimeServicesTableLib.h"

namespace {
FakePlatform *CurrentPlatform = nullptr;
constexpr EFI_GUID kSmmBase2Guid = EFI_SMM_BASE2_PROTOCOL_GUID;
constexpr EFI_GUID kSmmAccess2Guid = EFI_SMM_ACCESS2_PROTOCOL_GUID;
}  // namespace

bool SameGuid(const EFI_GUID &First, const EFI_GUID &Second) { return std::memcmp(&First, &Second, 16) == 0; }

FakePlatform::FakePlatform() {
  Arena = static_cast<unsigned char *>(std::aligned_alloc(4096, kArenaSize));
  CurrentPlatform = this;
  SystemTable.Hdr.Signature = 0x5453595320494249ULL;  // "IBI SYST"
  SystemTable.Hdr.Revision = (2 << 16) | 70;
  SystemTable.Hdr.HeaderSize = sizeof(EFI_SYSTEM_TABLE);
  SystemTable.BootServices = &BootServices;
  SystemTable.RuntimeServices = &RuntimeServices;
  BootServices.AllocatePool = AllocatePool;
  BootServices.FreePool = FreePool;
  BootServices.LocateProtocol = LocateProtocol;
  BootServices.HandleProtocol = HandleProtocol;
  BootServices.InstallConfigurationTable = InstallConfigurationTable;
  Smst.SmmAllocatePool = SmmAllocatePool;
  Smst.SmmFreePool = SmmFreePool;
  Smst.SmmInstallProtocolInterface = SmmInstallProtocolInterface;
  Smst.SmmLocateProtocol = SmmLocateProtocol;
  SmmBase2.InSmm = InSmmService;
  SmmBase2.GetSmstLocation = GetSmstLocation;
  SmmAccess2.GetCapabilities = GetCapabilities;
  SmramMap.push_back({reinterpret_cast<UINT64>(Arena), reinterpret_cast<UINT64>(Arena), kArenaSize, 0});
}

FakePlatform::~FakePlatform() {
  for (auto &Entry : LiveBootBlocks) {
    std::free(const_cast<void *>(Entry.first));
  }
  std::free(Arena);
  CurrentPlatform = nullptr;
}

FakePlatform &FakePlatform::Current() { return *CurrentPlatform; }

void FakePlatform::InstallSmmProtocol(const EFI_GUID &Guid, VOID *Interface) { SmmProtocols.push_back({Guid, Interface}); }

bool FakePlatform::InArena(const void *Address) const {
  const auto *Byte = static_cast<const unsigned char *>(Address);
  return Byte >= Arena && Byte < Arena + kArenaSize;
}

void FakePlatform::ResetCounters() {
  SmmAllocations = 0;
  BootAllocations = 0;
  Calls.clear();
  Faults.clear();
}

void FakePlatform::RefreshConfigurationTable() {
  SystemTable.NumberOfTableEntries = ConfigurationTables.size();
  SystemTable.ConfigurationTable = ConfigurationTables.empty() ? nullptr : ConfigurationTables.data();
}

EFI_STATUS EFIAPI FakePlatform::AllocatePool(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("AllocatePool");
  Self.BootAllocations++;
  if (Self.FailBootAllocation) {
    return EFI_OUT_OF_RESOURCES;
  }
  void *Block = std::malloc(Size == 0 ? 1 : Size);
  Self.LiveBootBlocks[Block] = {Size, PoolType};
  *Buffer = Block;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::FreePool(VOID *Buffer) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("FreePool");
  auto Found = Self.LiveBootBlocks.find(Buffer);
  if (Found == Self.LiveBootBlocks.end()) {
    Self.Faults.push_back(Self.LiveSmmBlocks.count(Buffer) != 0 ? "SMM block freed to the boot-services pool"
                                                                : "FreePool of a block it did not allocate");
    return EFI_INVALID_PARAMETER;
  }
  Self.LiveBootBlocks.erase(Found);
  std::free(Buffer);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::LocateProtocol(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface) {
  (void)Registration;
  FakePlatform &Self = Current();
  Self.Calls.push_back("LocateProtocol");
  if (SameGuid(*Protocol, kSmmBase2Guid) && Self.SmmBase2Present) {
    *Interface = &Self.SmmBase2;
    return EFI_SUCCESS;
  }
  if (SameGuid(*Protocol, kSmmAccess2Guid) && Self.SmmAccess2Present) {
    *Interface = &Self.SmmAccess2;
    return EFI_SUCCESS;
  }
  return EFI_NOT_FOUND;
}

EFI_STATUS EFIAPI FakePlatform::HandleProtocol(EFI_HANDLE Handle, const EFI_GUID *Protocol, VOID **Interface) {
  (void)Handle;
  (void)Protocol;
  (void)Interface;
  Current().Calls.push_back("HandleProtocol");
  return EFI_UNSUPPORTED;
}

EFI_STATUS EFIAPI FakePlatform::InstallConfigurationTable(const EFI_GUID *Guid, VOID *Table) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("InstallConfigurationTable");
  for (auto Entry = Self.ConfigurationTables.begin(); Entry != Self.ConfigurationTables.end(); ++Entry) {
    if (SameGuid(Entry->VendorGuid, *Guid)) {
      if (Table == nullptr) {
        Self.ConfigurationTables.erase(Entry);
      } else {
        Entry->VendorTable = Table;
      }
      Self.RefreshConfigurationTable();
      return EFI_SUCCESS;
    }
  }
  if (Table == nullptr) {
    return EFI_NOT_FOUND;
  }
  Self.ConfigurationTables.push_back({*Guid, Table});
  Self.RefreshConfigurationTable();
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::SmmAllocatePool(EFI_MEMORY_TYPE PoolType, UINTN Size, VOID **Buffer) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("SmmAllocatePool");
  const unsigned Number = ++Self.SmmAllocations;
  const bool Fail = Self.FailSmmAllocation != 0 &&
                    (Number == Self.FailSmmAllocation || (Self.FailAllAfter && Number > Self.FailSmmAllocation));
  const std::size_t Rounded = (Size + 15) & ~std::size_t{15};
  if (Fail || Size > kArenaSize || Self.ArenaUsed + Rounded + 16 > kArenaSize) {
    if (Self.StoreOnFailure) {
      *Buffer = Self.Arena;
    }
    return EFI_OUT_OF_RESOURCES;
  }
  // Blocks are never reused, so a stale pointer is always told apart from a live one.
  void *Block = Self.Arena + Self.ArenaUsed;
  Self.ArenaUsed += Rounded + 16;
  Self.LiveSmmBlocks[Block] = {Size, PoolType};
  *Buffer = Block;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::SmmFreePool(VOID *Buffer) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("SmmFreePool");
  auto Found = Self.LiveSmmBlocks.find(Buffer);
  if (Found == Self.LiveSmmBlocks.end()) {
    Self.Faults.push_back(Self.InArena(Buffer) ? "SmmFreePool of a block not live (double free)"
                                               : "SmmFreePool of a block outside SMRAM");
    return EFI_INVALID_PARAMETER;
  }
  Self.LiveSmmBlocks.erase(Found);
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::SmmInstallProtocolInterface(EFI_HANDLE *Handle, const EFI_GUID *Protocol,
                                                            EFI_INTERFACE_TYPE InterfaceType, VOID *Interface) {
  FakePlatform &Self = Current();
  Self.Calls.push_back("SmmInstallProtocolInterface");
  if (InterfaceType != EFI_NATIVE_INTERFACE || Handle == nullptr) {
    return EFI_INVALID_PARAMETER;
  }
  if (EFI_ERROR(Self.InstallProtocolStatus)) {
    return Self.InstallProtocolStatus;
  }
  if (*Handle == nullptr) {
    *Handle = reinterpret_cast<EFI_HANDLE>(0x1000 + Self.SmmProtocols.size());
  }
  Self.SmmProtocols.push_back({*Protocol, Interface});
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::SmmLocateProtocol(const EFI_GUID *Protocol, VOID *Registration, VOID **Interface) {
  (void)Registration;
  FakePlatform &Self = Current();
  Self.Calls.push_back("SmmLocateProtocol");
  for (const auto &Installed : Self.SmmProtocols) {
    if (SameGuid(Installed.Guid, *Protocol)) {
      *Interface = Installed.Interface;
      return EFI_SUCCESS;
    }
  }
  return EFI_NOT_FOUND;
}

EFI_STATUS EFIAPI FakePlatform::InSmmService(const EFI_SMM_BASE2_PROTOCOL *This, BOOLEAN *InSmram) {
  (void)This;
  Current().Calls.push_back("InSmm");
  *InSmram = Current().InSmm ? TRUE : FALSE;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::GetSmstLocation(const EFI_SMM_BASE2_PROTOCOL *This, EFI_SMM_SYSTEM_TABLE2 **Smst) {
  (void)This;
  Current().Calls.push_back("GetSmstLocation");
  *Smst = &Current().Smst;
  return EFI_SUCCESS;
}

EFI_STATUS EFIAPI FakePlatform::GetCapabilities(const EFI_SMM_ACCESS2_PROTOCOL *This, UINTN *SmramMapSize,
                                                EFI_SMRAM_DESCRIPTOR *SmramMap) {
  (void)This;
  FakePlatform &Self = Current();
  Self.Calls.push_back("GetCapabilities");
  const UINTN TrueSize = Self.SmramMap.size() * sizeof(EFI_SMRAM_DESCRIPTOR);
  const UINTN Needed = Self.ReportedMapSize == ~0ULL ? TrueSize : Self.ReportedMapSize;
  if (*SmramMapSize < Needed) {
    *SmramMapSize = Needed;
    return EFI_BUFFER_TOO_SMALL;
  }
  std::memcpy(SmramMap, Self.SmramMap.data(), TrueSize < Needed ? TrueSize : Needed);
  *SmramMapSize = Needed;
  return EFI_SUCCESS;
}

ModuleTablesBound::ModuleTablesBound(FakePlatform &Platform, bool ReadSmramMap) {
  gImageHandle = reinterpret_cast<EFI_HANDLE>(0x1234);
  gST = &Platform.SystemTable;
  gBS = &Platform.BootServices;
  gRT = &Platform.RuntimeServices;
  mInternalSmmBase2 = &Platform.SmmBase2;
  gSmst = &Platform.Smst;
  mSmramRanges = nullptr;
  mSmramRangeEntries = 0;
  if (ReadSmramMap) {
    InitSmramRanges(gImageHandle, gST);
  }
  Platform.ResetCounters();
}

ModuleTablesBound::~ModuleTablesBound() {
  if (mSmramRanges != nullptr && gSmst != nullptr) {
    SmmPoolFree(mSmramRanges);
  }
  ResetModuleGlobals();
}

void ResetModuleGlobals() {
  gImageHandle = nullptr;
  gST = nullptr;
  gBS = nullptr;
  gRT = nullptr;
  gSmst = nullptr;
  mInternalSmmBase2 = nullptr;
  mSmramRanges = nullptr;
  mSmramRangeEntries = 0;
  mExternalPointerChecker = nullptr;
  mTscTicksPerSecond = 0;
}
