// Where the emulated board keeps everything. All addresses are fixed so that reports and
// tests can name them; all lie well below the host's own mappings (which start far above
// 4 GiB on x86-64 Linux) and away from page 0.
//
//   0x40000000  caller's data buffer (read-only pages, ending at a guard page)
//   0x60000000  caller's signature buffer (the same)
//   0x70000000  firmware data outside SMRAM: system table, boot and runtime services,
//               configuration table, SMM Base2 and Access2 records
//   0x70100000  boot-services pool (4 MiB)
//   0x7F000000  SMRAM (16 MiB, default SMRAM map: this one range)
//     +0x000000   SMM core data: SMST, handles, the pointer checker's record
//     +0x010000   stack guard page, then the image's stack (128 KiB, painted)
//     +0x100000   the image (room for 7 MiB)
//     +0x800000   SMM pool (8 MiB)
//   0x80000000  PCI Express window, bus 0 backed (1 MiB)
#pragma once
#include <cstdint>

namespace vorq::emu::layout {

constexpr uint64_t kPage = 4096;
constexpr uint64_t kCallerDataBase = 0x40000000, kCallerDataRoom = 0x20000000;
constexpr uint64_t kCallerSignatureBase = 0x60000000, kCallerSignatureRoom = 0x01000000;
constexpr uint64_t kFirmwareDataBase = 0x70000000, kFirmwareDataSize = 0x10000;
constexpr uint64_t kBootPoolBase = 0x70100000, kBootPoolSize = 0x400000;
constexpr uint64_t kSmramBase = 0x7F000000, kSmramSize = 0x1000000;
constexpr uint64_t kSmmCoreDataOffset = 0x0, kSmmCoreDataSize = 0x10000;
constexpr uint64_t kStackGuardOffset = 0x10000;
constexpr uint64_t kStackOffset = 0x11000, kStackSize = 0x20000;
constexpr uint64_t kImageOffset = 0x100000, kImageRoom = 0x700000;
constexpr uint64_t kSmmPoolOffset = 0x800000, kSmmPoolSize = 0x800000;

}  // namespace vorq::emu::layout
