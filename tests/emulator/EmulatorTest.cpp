// The library API on the fixture driver: load, entry, services, calls, faults.
#include <gtest/gtest.h>

#include <Protocol/SmmAccess2.h>

#include "runner/Emulator.h"
#include "support/Guids.h"
#include "TestSupport.h"

namespace vorq::emu {
namespace {
using namespace test;

class EmulatorTest : public ::testing::Test {
 protected:
  // Starts, loads and runs the entry under `options`.
  EntryOutcome Boot(const EmulatorOptions& options = {}) {
    emulator = std::make_unique<Emulator>(options);
    std::string error;
    EXPECT_TRUE(emulator->Start(&error)) << error;
    EXPECT_TRUE(emulator->LoadImage(FixtureImage(), &error)) << error;
    return emulator->RunEntry();
  }
  Platform& P() { return emulator->ThePlatform(); }
  const uint64_t* TscTable() {
    const EFI_SYSTEM_TABLE* st = P().SystemTable();
    for (UINTN i = 0; i < st->NumberOfTableEntries; ++i)
      if (SameGuid(st->ConfigurationTable[i].VendorGuid, kTscFrequencyTableGuid))
        return static_cast<const uint64_t*>(st->ConfigurationTable[i].VendorTable);
    return nullptr;
  }
  std::unique_ptr<Emulator> emulator;
  const std::vector<uint8_t> data = {'f', 'i', 'r', 'm', 'w', 'a', 'r', 'e'};
};

TEST_F(EmulatorTest, EntryRunsInstallsAndMeasures) {
  const EntryOutcome entry = Boot();
  ASSERT_TRUE(entry.returned) << DescribeFault(*entry.fault);
  EXPECT_EQ(entry.status, EFI_SUCCESS);
  EXPECT_FALSE(entry.Failed());
  void* interface = nullptr;
  EXPECT_EQ(P().smm_protocols.Locate(&kSmmImageAuthenticationProtocolGuid, &interface), EFI_SUCCESS);
  EXPECT_EQ(uint64_t(uintptr_t(interface)) - emulator->ImageBase() < emulator->Image().size_of_image, true);
  ASSERT_NE(TscTable(), nullptr);
  EXPECT_GT(*TscTable(), 100000000u);  // any real TSC runs faster than 100 MHz
  EXPECT_EQ(P().smm_pool.Stats().live_blocks, 1u);  // the SMRAM map copy
  EXPECT_EQ(P().smm_pool.Stats().live_bytes, 32u);
  EXPECT_EQ(P().boot_pool.Stats().live_bytes, 8u);  // the TSC table
  EXPECT_GT(entry.stack_high_water, 40u);
  EXPECT_LT(entry.stack_high_water, 4096u);
  const auto& serial = emulator->Devices().Uart().Transmitted();
  EXPECT_EQ(std::string(serial.begin(), serial.end()), "fixture: entry\r\nfixture: installed\r\n");
  EXPECT_EQ(Breakpoints().size(), 1u);
}

TEST_F(EmulatorTest, APresentTscTableIsCopiedAndTheTimerUntouched) {
  EmulatorOptions options;
  options.platform.tsc_table_hz = 1234567890;
  ASSERT_FALSE(Boot(options).Failed());
  EXPECT_EQ(*TscTable(), 1234567890u);
  EXPECT_EQ(P().boot_pool.Stats().allocations, 0u);
  for (const PortAccess& a : emulator->Devices().Log().Entries()) EXPECT_NE(a.port, 0x408);
}

TEST_F(EmulatorTest, AuthenticateAnswersTheFixturesThreeStatuses) {
  struct CallCase {
    const char* meaning;
    std::vector<uint8_t> signature;
    uint64_t fail_nth;
    EFI_STATUS status;
    uint64_t peak_bytes;
  };
  const CallCase kCases[] = {
      {"valid", FixtureSignature(data), 0, EFI_SUCCESS, 112},
      {"invalid", FixtureSignature(data, action::kPlain, false), 0, EFI_SECURITY_VIOLATION, 112},
      {"wrong size", std::vector<uint8_t>(255), 0, EFI_SECURITY_VIOLATION, 0},
      {"first allocation fails", FixtureSignature(data), 1, EFI_OUT_OF_RESOURCES, 0},
      {"other status", FixtureSignature(data, action::kInvalidParameter), 0, EFI_INVALID_PARAMETER, 112},
  };
  for (const CallCase& c : kCases) {
    EmulatorOptions options;
    options.platform.faults.fail_smm_nth_after_load = c.fail_nth;
    ASSERT_FALSE(Boot(options).Failed()) << c.meaning;
    const CallOutcome call = emulator->Authenticate(data, c.signature);
    EXPECT_TRUE(call.returned) << c.meaning;
    EXPECT_EQ(call.status, c.status) << c.meaning;
    EXPECT_FALSE(call.Failed()) << c.meaning;
    EXPECT_EQ(call.smm_pool_peak_bytes, c.peak_bytes) << c.meaning;
    EXPECT_GT(call.stack_high_water, 0u) << c.meaning;
    emulator.reset();
  }
}

TEST_F(EmulatorTest, EveryAllocationAfterNFails) {
  EmulatorOptions options;
  options.platform.faults.fail_smm_all_after_load = 0;
  options.platform.faults.fail_smm_all_after_load_set = true;
  ASSERT_FALSE(Boot(options).Failed());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(emulator->Authenticate(data, FixtureSignature(data)).status, EFI_OUT_OF_RESOURCES);
}

TEST_F(EmulatorTest, LoadTimeAllocationFailuresAreInjectable) {
  EmulatorOptions smm;
  smm.platform.faults.fail_smm_nth_during_load = 1;
  ASSERT_FALSE(Boot(smm).Failed());
  EXPECT_EQ(P().smm_pool.Stats().live_blocks, 0u);
  emulator.reset();
  EmulatorOptions boot;
  boot.platform.faults.fail_boot_nth_during_load = 1;
  ASSERT_FALSE(Boot(boot).Failed());
  EXPECT_EQ(TscTable(), nullptr);
}

TEST_F(EmulatorTest, FaultsLeaksAndMisuseOfACallAreReported) {
  struct FaultCase {
    const char* meaning;
    uint8_t action;
    bool returned;
    size_t leaks, misuse;
    const char* text;  // in the fault's description or the misuse report
  };
  const FaultCase kCases[] = {
      {"write to the read-only signature", action::kWriteSignature, false, 1, 0, "write of 0x60000F00 (caller signature+0x0)"},
      {"unexpected boot service", action::kCallStall, false, 1, 0, "unexpected call to EFI_BOOT_SERVICES.Stall, called from"},
      {"port without a device", action::kReadPort80, false, 1, 0, "no device decodes port 0x80 (8-bit read) at"},
      {"leak", action::kLeak, true, 1, 0, ""},
      {"double free", action::kDoubleFree, true, 0, 1, "double free of SMM pool block"},
  };
  for (const FaultCase& c : kCases) {
    ASSERT_FALSE(Boot().Failed()) << c.meaning;
    const CallOutcome call = emulator->Authenticate(data, FixtureSignature(data, c.action));
    EXPECT_TRUE(call.Failed()) << c.meaning;
    EXPECT_EQ(call.returned, c.returned) << c.meaning;
    EXPECT_EQ(call.leaks.size(), c.leaks) << c.meaning;
    if (c.leaks) EXPECT_EQ(call.leaks[0].size, 112u) << c.meaning;
    EXPECT_EQ(call.misuse.size(), c.misuse) << c.meaning;
    const std::string text = call.fault ? DescribeFault(*call.fault) : c.misuse ? call.misuse[0] : "";
    EXPECT_NE(text.find(c.text), std::string::npos) << c.meaning << ": " << text;
    emulator.reset();
  }
}

TEST_F(EmulatorTest, AStuckTimerEndsInATimeout) {
  EmulatorOptions options;
  options.board.pm_timer.stuck = true;
  options.timeout_ms = 200;
  const EntryOutcome entry = Boot(options);
  ASSERT_TRUE(entry.fault.has_value());
  EXPECT_EQ(entry.fault->kind, FaultKind::Timeout);
  EXPECT_NE(emulator->Describe(entry.fault->instruction).find("image+"), std::string::npos);
}

TEST_F(EmulatorTest, GetCapabilitiesFollowsTheTwoCallSizeProtocol) {
  EmulatorOptions options;
  options.platform.smram_map = {{0x7F000000, 0x800000}, {0x7F800000, 0x800000}, {0x7E000000, 0x1000}};
  options.platform.smram_map_bytes = 70;
  ASSERT_FALSE(Boot(options).Failed());
  void* interface = nullptr;
  ASSERT_EQ(P().uefi_protocols.Locate(&kSmmAccess2ProtocolGuid, &interface), EFI_SUCCESS);
  auto* access2 = static_cast<EFI_SMM_ACCESS2_PROTOCOL*>(interface);
  UINTN size = 0;
  EXPECT_EQ(access2->GetCapabilities(access2, &size, nullptr), EFI_BUFFER_TOO_SMALL);
  EXPECT_EQ(size, 70u);
  EFI_SMRAM_DESCRIPTOR map[3] = {};
  size = 69;
  EXPECT_EQ(access2->GetCapabilities(access2, &size, map), EFI_BUFFER_TOO_SMALL);
  size = sizeof map;
  EXPECT_EQ(access2->GetCapabilities(access2, &size, map), EFI_SUCCESS);
  EXPECT_EQ(size, 70u);
  EXPECT_EQ(map[1].CpuStart, 0x7F800000u);
  EXPECT_EQ(map[1].PhysicalSize, 0x800000u);
  EXPECT_EQ(map[1].RegionState, kSmramRegionState);
  EXPECT_EQ(map[2].PhysicalStart, 0x7E000000u);  // only the first 6 bytes of the third were copied
  EXPECT_EQ(map[2].CpuStart, 0u);
}

TEST_F(EmulatorTest, InstallConfigurationTableAddsReplacesAndDeletes) {
  EmulatorOptions options;
  options.platform.tsc_table_hz = 1;
  ASSERT_FALSE(Boot(options).Failed());
  EFI_BOOT_SERVICES* bs = P().SystemTable()->BootServices;
  uint64_t other = 7;
  EXPECT_EQ(bs->InstallConfigurationTable(&kSmmBase2ProtocolGuid, nullptr), EFI_NOT_FOUND);
  EXPECT_EQ(bs->InstallConfigurationTable(nullptr, &other), EFI_INVALID_PARAMETER);
  EXPECT_EQ(bs->InstallConfigurationTable(&kSmmBase2ProtocolGuid, &other), EFI_SUCCESS);
  EXPECT_EQ(P().SystemTable()->NumberOfTableEntries, 2u);
  EXPECT_EQ(bs->InstallConfigurationTable(&kTscFrequencyTableGuid, &other), EFI_SUCCESS);
  EXPECT_EQ(*TscTable(), 7u);
  EXPECT_EQ(bs->InstallConfigurationTable(&kTscFrequencyTableGuid, nullptr), EFI_SUCCESS);
  EXPECT_EQ(TscTable(), nullptr);
  EXPECT_EQ(P().SystemTable()->NumberOfTableEntries, 1u);
  EXPECT_TRUE(SameGuid(P().SystemTable()->ConfigurationTable[0].VendorGuid, kSmmBase2ProtocolGuid));
}

TEST_F(EmulatorTest, UnservedMembersStopTheRunWithTheirName) {
  ASSERT_FALSE(Boot().Failed());
  EFI_SMM_SYSTEM_TABLE2* smst = P().Smst();
  const auto fault = RunTrapped([&] { smst->SmiHandlerRegister(); });
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, FaultKind::Stopped);
  EXPECT_NE(fault->message.find("EFI_SMM_SYSTEM_TABLE2.SmiHandlerRegister"), std::string::npos);
}

TEST_F(EmulatorTest, WrongPoolAndForeignFreesAreReported) {
  ASSERT_FALSE(Boot().Failed());
  void* boot_block = nullptr;
  ASSERT_EQ(P().SystemTable()->BootServices->AllocatePool(EfiBootServicesData, 16, &boot_block), EFI_SUCCESS);
  EXPECT_EQ(P().Smst()->SmmFreePool(boot_block), EFI_INVALID_PARAMETER);
  EXPECT_EQ(P().Smst()->SmmFreePool(nullptr), EFI_INVALID_PARAMETER);
  void* smm_block = nullptr;
  EXPECT_EQ(P().Smst()->SmmAllocatePool(EfiBootServicesData, 16, &smm_block), EFI_INVALID_PARAMETER);
  ASSERT_EQ(P().misuse.size(), 2u);
  EXPECT_NE(P().misuse[0].find("free to the wrong pool"), std::string::npos);
  EXPECT_NE(P().misuse[1].find("never handed out"), std::string::npos);
}

TEST_F(EmulatorTest, ImageMemoryIsInSmramAndProtectedBySection) {
  ASSERT_FALSE(Boot().Failed());
  EXPECT_TRUE(P().InSmram(emulator->ImageBase()));
  const ImagePlan& plan = emulator->Image();
  const uint64_t text = emulator->ImageBase() + plan.sections[0].rva;
  const auto fault = RunTrapped([&] { *reinterpret_cast<volatile uint8_t*>(text) = 0xCC; });
  ASSERT_TRUE(fault.has_value());
  EXPECT_EQ(fault->kind, FaultKind::MemoryAccess);
  EXPECT_TRUE(fault->write);
  EXPECT_EQ(fault->address, text);
}

}  // namespace
}  // namespace vorq::emu

namespace vorq::emu {
namespace {

// Runs on the emulator's stack and grows down one kilobyte at a time, as code without
// enormous frames does, until the guard page stops it.
__attribute__((ms_abi)) uint64_t GrowStackForever(uint64_t, uint64_t, uint64_t, uint64_t) {
  uint8_t marker;
  for (volatile uint8_t* p = &marker;; p -= 1024) *p = 1;
}

class EmulatorFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(emulator.Start(&error)) << error;
    ASSERT_TRUE(emulator.LoadImage(test::FixtureImage(), &error)) << error;
  }
  Emulator emulator{EmulatorOptions{}};
};

TEST_F(EmulatorFaultTest, ExecutionOutsideCodeIsReportedWithTheAddress) {
  void* data_page = nullptr;
  ASSERT_EQ(emulator.ThePlatform().Smst()->SmmAllocatePool(EfiRuntimeServicesData, 16, &data_page), EFI_SUCCESS);
  const Emulator::Called called = emulator.CallImage(data_page, 0, 0, 0, 0);
  ASSERT_TRUE(called.fault.has_value());
  EXPECT_EQ(called.fault->kind, FaultKind::Execution);
  EXPECT_EQ(called.fault->address, reinterpret_cast<uint64_t>(data_page));
  EXPECT_NE(DescribeFault(*called.fault).find("(SMM pool+"), std::string::npos) << DescribeFault(*called.fault);
}

TEST_F(EmulatorFaultTest, StackOverflowHitsTheGuardPage) {
  const Emulator::Called called = emulator.CallImage(reinterpret_cast<const void*>(&GrowStackForever), 0, 0, 0, 0);
  ASSERT_TRUE(called.fault.has_value());
  EXPECT_EQ(called.fault->kind, FaultKind::MemoryAccess);
  EXPECT_NE(DescribeFault(*called.fault).find("stack guard page"), std::string::npos) << DescribeFault(*called.fault);
  EXPECT_GT(called.stack_high_water, 120u * 1024);
}

}  // namespace
}  // namespace vorq::emu

namespace vorq::emu {
namespace {

TEST(EmulatorBuffers, BuffersAnywhereMeetTheCheckerPolicy) {
  Emulator emulator{EmulatorOptions{}};
  std::string error;
  ASSERT_TRUE(emulator.Start(&error)) << error;
  ASSERT_TRUE(emulator.LoadImage(test::FixtureImage(), &error)) << error;
  ASSERT_FALSE(emulator.RunEntry().Failed());
  void* smram_block = nullptr;
  ASSERT_EQ(emulator.ThePlatform().Smst()->SmmAllocatePool(EfiRuntimeServicesData, 256, &smram_block), EFI_SUCCESS);
  const uint64_t in_smram = reinterpret_cast<uint64_t>(smram_block);
  struct BufferCase {
    const char* meaning;
    uint64_t data, data_size, signature;
    uint8_t first_answer;
    size_t calls;
  };
  const BufferCase kCases[] = {
      {"data inside SMRAM is refused", in_smram, 16, 0x60000000, 1, 1},
      {"data wrapping the address space is refused", ~uint64_t(0) - 3, 16, 0x60000000, 1, 1},
      {"signature inside SMRAM is refused after the data passed", 0x40000000, 0, in_smram, 0, 2},
  };
  for (const BufferCase& c : kCases) {
    const CallOutcome call = emulator.AuthenticateAt(c.data, c.data_size, c.signature, 256);
    ASSERT_TRUE(call.returned) << c.meaning;
    EXPECT_EQ(call.status, EFI_SECURITY_VIOLATION) << c.meaning;
    ASSERT_EQ(call.checker_calls.size(), c.calls) << c.meaning;
    EXPECT_EQ(call.checker_calls[0].answer, c.first_answer) << c.meaning;
    if (c.calls == 2) EXPECT_EQ(call.checker_calls[1].answer, 1) << c.meaning;
  }
}

}  // namespace
}  // namespace vorq::emu
