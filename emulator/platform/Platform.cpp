#include "platform/Platform.h"

#include <cstring>

#include <Guid/TscFrequencyTable.h>
#include <Protocol/LoadedImage.h>
#include <Protocol/SmmAccess2.h>
#include <Protocol/SmmBase2.h>
#include <Protocol/SmmExternalPointerChecker.h>

#include "platform/AddressMap.h"
#include "platform/ServiceStubs.h"
#include "support/Crc32.h"
#include "support/Guids.h"

namespace vorq::emu {
namespace {

Platform* g_current = nullptr;

// Table signatures and revisions (UEFI 2.7, PI 1.7); the module tests none of them.
constexpr uint64_t kSystemTableSignature = 0x5453595320494249ULL;    // "IBI SYST"
constexpr uint64_t kBootServicesSignature = 0x56524553544F4F42ULL;   // "BOOTSERV"
constexpr uint64_t kRuntimeServicesSignature = 0x56524553544E5552ULL;  // "RUNTSERV"
constexpr uint64_t kSmstSignature = 0x54534D53ULL;                   // "SMST"
constexpr uint32_t kSmstRevision = (1u << 16) | 70;
constexpr uint64_t kSaveStateSize = 0x400;
constexpr size_t kHandleCapacity = 64;

// The runtime services table: the header, then fourteen members the module never calls.
constexpr const char* kRuntimeMembers[] = {
    "EFI_RUNTIME_SERVICES.GetTime", "EFI_RUNTIME_SERVICES.SetTime", "EFI_RUNTIME_SERVICES.GetWakeupTime",
    "EFI_RUNTIME_SERVICES.SetWakeupTime", "EFI_RUNTIME_SERVICES.SetVirtualAddressMap",
    "EFI_RUNTIME_SERVICES.ConvertPointer", "EFI_RUNTIME_SERVICES.GetVariable",
    "EFI_RUNTIME_SERVICES.GetNextVariableName", "EFI_RUNTIME_SERVICES.SetVariable",
    "EFI_RUNTIME_SERVICES.GetNextHighMonotonicCount", "EFI_RUNTIME_SERVICES.ResetSystem",
    "EFI_RUNTIME_SERVICES.UpdateCapsule", "EFI_RUNTIME_SERVICES.QueryCapsuleCapabilities",
    "EFI_RUNTIME_SERVICES.QueryVariableInfo"};

template <typename Member>
void Unexpected(Member& slot, const char* name) {
  slot = reinterpret_cast<Member>(UnexpectedMemberStub(name));
}
template <typename Member>
void Served(Member& slot, ServiceSlot which) {
  slot = reinterpret_cast<Member>(ServiceStub(which));
}

void SealHeader(EFI_TABLE_HEADER& header, uint64_t signature, uint32_t revision, uint32_t size) {
  header.Signature = signature;
  header.Revision = revision;
  header.HeaderSize = size;
  header.CRC32 = 0;
  header.Reserved = 0;
  header.CRC32 = Crc32(&header, size);
}

}  // namespace

Platform* CurrentPlatform() { return g_current; }

Platform::~Platform() {
  if (g_current == this) g_current = nullptr;
}

void* Platform::FirmwareAllocate(uint64_t size) {
  const uint64_t start = (firmware_used_ + 15) & ~uint64_t(15);
  if (start + size > firmware_->Size()) return nullptr;
  firmware_used_ = start + size;
  return firmware_->Base() + start;
}

void* Platform::SmramAllocate(uint64_t size) {
  const uint64_t start = (smram_used_ + 15) & ~uint64_t(15);
  if (start + size > layout::kSmmCoreDataSize) return nullptr;
  smram_used_ = start + size;
  return smram_->Base() + layout::kSmmCoreDataOffset + start;
}

void Platform::UpdateSystemTableCrc() {
  SealHeader(system_table_->Hdr, kSystemTableSignature, options_.system_table_revision, sizeof(EFI_SYSTEM_TABLE));
}

void Platform::BuildSystemTable() {
  auto* bs = static_cast<EFI_BOOT_SERVICES*>(FirmwareAllocate(sizeof(EFI_BOOT_SERVICES)));
  Unexpected(bs->RaiseTPL, "EFI_BOOT_SERVICES.RaiseTPL");
  Unexpected(bs->RestoreTPL, "EFI_BOOT_SERVICES.RestoreTPL");
  Unexpected(bs->AllocatePages, "EFI_BOOT_SERVICES.AllocatePages");
  Unexpected(bs->FreePages, "EFI_BOOT_SERVICES.FreePages");
  Unexpected(bs->GetMemoryMap, "EFI_BOOT_SERVICES.GetMemoryMap");
  Served(bs->AllocatePool, kSlotAllocatePool);
  Served(bs->FreePool, kSlotFreePool);
  Unexpected(bs->CreateEvent, "EFI_BOOT_SERVICES.CreateEvent");
  Unexpected(bs->SetTimer, "EFI_BOOT_SERVICES.SetTimer");
  Unexpected(bs->WaitForEvent, "EFI_BOOT_SERVICES.WaitForEvent");
  Unexpected(bs->SignalEvent, "EFI_BOOT_SERVICES.SignalEvent");
  Unexpected(bs->CloseEvent, "EFI_BOOT_SERVICES.CloseEvent");
  Unexpected(bs->CheckEvent, "EFI_BOOT_SERVICES.CheckEvent");
  Unexpected(bs->InstallProtocolInterface, "EFI_BOOT_SERVICES.InstallProtocolInterface");
  Unexpected(bs->ReinstallProtocolInterface, "EFI_BOOT_SERVICES.ReinstallProtocolInterface");
  Unexpected(bs->UninstallProtocolInterface, "EFI_BOOT_SERVICES.UninstallProtocolInterface");
  Served(bs->HandleProtocol, kSlotHandleProtocol);
  bs->Reserved = nullptr;
  Unexpected(bs->RegisterProtocolNotify, "EFI_BOOT_SERVICES.RegisterProtocolNotify");
  Unexpected(bs->LocateHandle, "EFI_BOOT_SERVICES.LocateHandle");
  Unexpected(bs->LocateDevicePath, "EFI_BOOT_SERVICES.LocateDevicePath");
  Served(bs->InstallConfigurationTable, kSlotInstallConfigurationTable);
  Unexpected(bs->LoadImage, "EFI_BOOT_SERVICES.LoadImage");
  Unexpected(bs->StartImage, "EFI_BOOT_SERVICES.StartImage");
  Unexpected(bs->Exit, "EFI_BOOT_SERVICES.Exit");
  Unexpected(bs->UnloadImage, "EFI_BOOT_SERVICES.UnloadImage");
  Unexpected(bs->ExitBootServices, "EFI_BOOT_SERVICES.ExitBootServices");
  Unexpected(bs->GetNextMonotonicCount, "EFI_BOOT_SERVICES.GetNextMonotonicCount");
  Unexpected(bs->Stall, "EFI_BOOT_SERVICES.Stall");
  Unexpected(bs->SetWatchdogTimer, "EFI_BOOT_SERVICES.SetWatchdogTimer");
  Unexpected(bs->ConnectController, "EFI_BOOT_SERVICES.ConnectController");
  Unexpected(bs->DisconnectController, "EFI_BOOT_SERVICES.DisconnectController");
  Unexpected(bs->OpenProtocol, "EFI_BOOT_SERVICES.OpenProtocol");
  Unexpected(bs->CloseProtocol, "EFI_BOOT_SERVICES.CloseProtocol");
  Unexpected(bs->OpenProtocolInformation, "EFI_BOOT_SERVICES.OpenProtocolInformation");
  Unexpected(bs->ProtocolsPerHandle, "EFI_BOOT_SERVICES.ProtocolsPerHandle");
  Unexpected(bs->LocateHandleBuffer, "EFI_BOOT_SERVICES.LocateHandleBuffer");
  Served(bs->LocateProtocol, kSlotLocateProtocol);
  Unexpected(bs->InstallMultipleProtocolInterfaces, "EFI_BOOT_SERVICES.InstallMultipleProtocolInterfaces");
  Unexpected(bs->UninstallMultipleProtocolInterfaces, "EFI_BOOT_SERVICES.UninstallMultipleProtocolInterfaces");
  Unexpected(bs->CalculateCrc32, "EFI_BOOT_SERVICES.CalculateCrc32");
  Unexpected(bs->CopyMem, "EFI_BOOT_SERVICES.CopyMem");
  Unexpected(bs->SetMem, "EFI_BOOT_SERVICES.SetMem");
  Unexpected(bs->CreateEventEx, "EFI_BOOT_SERVICES.CreateEventEx");
  SealHeader(bs->Hdr, kBootServicesSignature, options_.system_table_revision, sizeof(EFI_BOOT_SERVICES));

  constexpr size_t kRuntimeSize = sizeof(EFI_TABLE_HEADER) + std::size(kRuntimeMembers) * sizeof(void*);
  auto* rt = static_cast<EFI_RUNTIME_SERVICES*>(FirmwareAllocate(kRuntimeSize));
  auto** rt_members = reinterpret_cast<void**>(reinterpret_cast<uint8_t*>(rt) + sizeof(EFI_TABLE_HEADER));
  for (size_t i = 0; i < std::size(kRuntimeMembers); ++i) rt_members[i] = UnexpectedMemberStub(kRuntimeMembers[i]);
  SealHeader(rt->Hdr, kRuntimeServicesSignature, options_.system_table_revision, uint32_t(kRuntimeSize));

  static const char16_t kVendor[] = u"Vorq SMM platform emulator";
  auto* vendor = static_cast<char16_t*>(FirmwareAllocate(sizeof kVendor));
  std::memcpy(vendor, kVendor, sizeof kVendor);

  config_entries = static_cast<EFI_CONFIGURATION_TABLE*>(FirmwareAllocate(kConfigCapacity * sizeof(EFI_CONFIGURATION_TABLE)));
  system_table_ = static_cast<EFI_SYSTEM_TABLE*>(FirmwareAllocate(sizeof(EFI_SYSTEM_TABLE)));
  system_table_->FirmwareVendor = reinterpret_cast<CHAR16*>(vendor);
  system_table_->FirmwareRevision = 0x00010000;
  system_table_->RuntimeServices = rt;
  system_table_->BootServices = bs;
  system_table_->NumberOfTableEntries = 0;
  system_table_->ConfigurationTable = config_entries;
  if (options_.tsc_table_hz) {
    auto* hz = static_cast<uint64_t*>(FirmwareAllocate(sizeof(uint64_t)));
    *hz = *options_.tsc_table_hz;
    config_entries[0] = {kTscFrequencyTableGuid, hz};
    system_table_->NumberOfTableEntries = 1;
  }
  UpdateSystemTableCrc();
}

void Platform::BuildSmst() {
  smst_ = static_cast<EFI_SMM_SYSTEM_TABLE2*>(SmramAllocate(sizeof(EFI_SMM_SYSTEM_TABLE2)));
  static const char16_t kVendor[] = u"Vorq SMM platform emulator";
  auto* vendor = static_cast<char16_t*>(SmramAllocate(sizeof kVendor));
  std::memcpy(vendor, kVendor, sizeof kVendor);
  smst_->SmmFirmwareVendor = reinterpret_cast<CHAR16*>(vendor);
  smst_->SmmFirmwareRevision = 0x00010000;
  Unexpected(smst_->SmmInstallConfigurationTable, "EFI_SMM_SYSTEM_TABLE2.SmmInstallConfigurationTable");
  Unexpected(smst_->SmmIo.Mem.Read, "EFI_SMM_SYSTEM_TABLE2.SmmIo.Mem.Read");
  Unexpected(smst_->SmmIo.Mem.Write, "EFI_SMM_SYSTEM_TABLE2.SmmIo.Mem.Write");
  Unexpected(smst_->SmmIo.Io.Read, "EFI_SMM_SYSTEM_TABLE2.SmmIo.Io.Read");
  Unexpected(smst_->SmmIo.Io.Write, "EFI_SMM_SYSTEM_TABLE2.SmmIo.Io.Write");
  Served(smst_->SmmAllocatePool, kSlotSmmAllocatePool);
  Served(smst_->SmmFreePool, kSlotSmmFreePool);
  Unexpected(smst_->SmmAllocatePages, "EFI_SMM_SYSTEM_TABLE2.SmmAllocatePages");
  Unexpected(smst_->SmmFreePages, "EFI_SMM_SYSTEM_TABLE2.SmmFreePages");
  Unexpected(smst_->SmmStartupThisAp, "EFI_SMM_SYSTEM_TABLE2.SmmStartupThisAp");
  smst_->CurrentlyExecutingCpu = 0;
  smst_->NumberOfCpus = 1;
  auto* save_state_size = static_cast<UINTN*>(SmramAllocate(sizeof(UINTN)));
  *save_state_size = kSaveStateSize;
  auto* save_state = static_cast<VOID**>(SmramAllocate(sizeof(VOID*)));
  *save_state = SmramAllocate(kSaveStateSize);
  smst_->CpuSaveStateSize = save_state_size;
  smst_->CpuSaveState = save_state;
  smst_->NumberOfTableEntries = 0;
  smst_->SmmConfigurationTable = nullptr;
  Served(smst_->SmmInstallProtocolInterface, kSlotSmmInstallProtocolInterface);
  Unexpected(smst_->SmmUninstallProtocolInterface, "EFI_SMM_SYSTEM_TABLE2.SmmUninstallProtocolInterface");
  Unexpected(smst_->SmmHandleProtocol, "EFI_SMM_SYSTEM_TABLE2.SmmHandleProtocol");
  Unexpected(smst_->SmmRegisterProtocolNotify, "EFI_SMM_SYSTEM_TABLE2.SmmRegisterProtocolNotify");
  Unexpected(smst_->SmmLocateHandle, "EFI_SMM_SYSTEM_TABLE2.SmmLocateHandle");
  Served(smst_->SmmLocateProtocol, kSlotSmmLocateProtocol);
  Unexpected(smst_->SmiManage, "EFI_SMM_SYSTEM_TABLE2.SmiManage");
  Unexpected(smst_->SmiHandlerRegister, "EFI_SMM_SYSTEM_TABLE2.SmiHandlerRegister");
  Unexpected(smst_->SmiHandlerUnRegister, "EFI_SMM_SYSTEM_TABLE2.SmiHandlerUnRegister");
  SealHeader(smst_->Hdr, kSmstSignature, kSmstRevision, sizeof(EFI_SMM_SYSTEM_TABLE2));
}

void Platform::BuildProtocols() {
  uefi_protocols.Init("UEFI", static_cast<uint8_t*>(FirmwareAllocate(16 * kHandleCapacity)), kHandleCapacity);
  smm_protocols.Init("SMM", static_cast<uint8_t*>(SmramAllocate(16 * kHandleCapacity)), kHandleCapacity);

  auto* base2 = static_cast<EFI_SMM_BASE2_PROTOCOL*>(FirmwareAllocate(sizeof(EFI_SMM_BASE2_PROTOCOL)));
  Served(base2->InSmm, kSlotInSmm);
  Served(base2->GetSmstLocation, kSlotGetSmstLocation);
  auto* access2 = static_cast<EFI_SMM_ACCESS2_PROTOCOL*>(FirmwareAllocate(sizeof(EFI_SMM_ACCESS2_PROTOCOL)));
  Unexpected(access2->Open, "EFI_SMM_ACCESS2_PROTOCOL.Open");
  Unexpected(access2->Close, "EFI_SMM_ACCESS2_PROTOCOL.Close");
  Unexpected(access2->Lock, "EFI_SMM_ACCESS2_PROTOCOL.Lock");
  Served(access2->GetCapabilities, kSlotGetCapabilities);
  access2->LockState = FALSE;
  access2->OpenState = FALSE;

  EFI_HANDLE handle = nullptr;
  uefi_protocols.Install(&handle, &kSmmBase2ProtocolGuid, EFI_NATIVE_INTERFACE, base2, 0);
  handle = nullptr;
  uefi_protocols.Install(&handle, &kSmmAccess2ProtocolGuid, EFI_NATIVE_INTERFACE, access2, 0);

  image_handle_ = uefi_protocols.NewHandle();
  auto* loaded = static_cast<EFI_LOADED_IMAGE_PROTOCOL*>(FirmwareAllocate(sizeof(EFI_LOADED_IMAGE_PROTOCOL)));
  loaded->Revision = 0x1000;
  loaded->SystemTable = system_table_;
  loaded->ImageCodeType = EfiRuntimeServicesCode;
  loaded->ImageDataType = EfiRuntimeServicesData;
  uefi_protocols.Install(&image_handle_, &kLoadedImageProtocolGuid, EFI_NATIVE_INTERFACE, loaded, 0);
  loaded_image_ = reinterpret_cast<LoadedImageRecord*>(loaded);

  if (options_.checker != CheckerMode::Absent) {
    // Another SMM driver's record, so it lives in SMRAM; its function is host code.
    auto* checker = static_cast<SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL*>(SmramAllocate(sizeof(SMM_EXTERNAL_POINTER_CHECKER_PROTOCOL)));
    Served(checker->CheckBuffer, kSlotCheckBuffer);
    handle = nullptr;
    smm_protocols.Install(&handle, &kSmmExternalPointerCheckerProtocolGuid, EFI_NATIVE_INTERFACE, checker, 0);
  }
}

void Platform::SetLoadedImage(uint64_t base, uint64_t size) {
  auto* loaded = reinterpret_cast<EFI_LOADED_IMAGE_PROTOCOL*>(loaded_image_);
  loaded->ImageBase = reinterpret_cast<VOID*>(base);
  loaded->ImageSize = size;
}

void Platform::EnterPhase(Phase next) {
  phase = next;
  smm_allocations_in_phase = 0;
  boot_allocations_in_phase = 0;
}

bool Platform::Build(const PlatformOptions& options, FixedRegion& smram, FixedRegion& firmware, FixedRegion& boot_region,
                     std::string* error) {
  options_ = options;
  smram_ = &smram;
  firmware_ = &firmware;
  smram_map_ = options.smram_map;
  if (smram_map_.empty()) smram_map_.push_back({smram.Address(), smram.Size()});
  BindServiceTable();
  smm_pool.Init("SMM", smram.Base() + layout::kSmmPoolOffset, layout::kSmmPoolSize);
  boot_pool.Init("boot-services", boot_region.Base(), boot_region.Size());
  BuildSystemTable();
  BuildSmst();
  BuildProtocols();
  if (firmware_used_ > firmware.Size() || smram_used_ > layout::kSmmCoreDataSize) {
    if (error) *error = "platform tables do not fit their regions";
    return false;
  }
  g_current = this;
  return true;
}

}  // namespace vorq::emu
