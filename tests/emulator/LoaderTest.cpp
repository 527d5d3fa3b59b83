// The loader against broken images made from the good fixture, one mutation per row.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "loader/PeImage.h"
#include "platform/AddressMap.h"
#include "TestSupport.h"

namespace vorq::emu {
namespace {

// Offsets into the fixture's headers, found the way the loader finds them.
struct Layout {
  explicit Layout(const std::vector<uint8_t>& f) : file(f) {
    pe = U32(0x3C);
    coff = pe + 4;
    opt = coff + 20;
    sections = opt + U16(coff + 16);
    reloc_rva = U32(opt + 112 + 5 * 8);
    for (uint32_t i = 0; i < U16(coff + 2); ++i) {
      const uint32_t h = Section(i), rva = U32(h + 12), raw = U32(h + 16);
      if (reloc_rva >= rva && reloc_rva < rva + raw) reloc_file = U32(h + 20) + (reloc_rva - rva);
    }
  }
  uint32_t U32(size_t at) const {
    uint32_t v;
    std::memcpy(&v, file.data() + at, 4);
    return v;
  }
  uint16_t U16(size_t at) const {
    uint16_t v;
    std::memcpy(&v, file.data() + at, 2);
    return v;
  }
  uint32_t Section(uint32_t index) const { return sections + 40 * index; }
  const std::vector<uint8_t>& file;
  uint32_t pe, coff, opt, sections, reloc_rva, reloc_file = 0;
};

void Put16(std::vector<uint8_t>& f, size_t at, uint16_t v) { std::memcpy(f.data() + at, &v, 2); }
void Put32(std::vector<uint8_t>& f, size_t at, uint32_t v) { std::memcpy(f.data() + at, &v, 4); }

struct BrokenCase {
  const char* meaning;
  std::function<void(std::vector<uint8_t>&, const Layout&)> mutate;
  const char* field;  // the refused field, as the error names it
};

const BrokenCase kCases[] = {
    {"empty file", [](auto& f, auto&) { f.clear(); }, "e_magic"},
    {"truncated inside the DOS header", [](auto& f, auto&) { f.resize(32); }, "e_magic"},
    {"not MZ", [](auto& f, auto&) { f[0] = 'X'; }, "e_magic"},
    {"truncated before the COFF header ends", [](auto& f, auto& l) { f.resize(l.pe + 10); }, "e_lfanew"},
    {"e_lfanew far outside", [](auto& f, auto&) { Put32(f, 0x3C, 0xFFFFFFF0); }, "e_lfanew"},
    {"no PE signature", [](auto& f, auto& l) { f[l.pe] = 'Q'; }, "Signature"},
    {"wrong machine (i386)", [](auto& f, auto& l) { Put16(f, l.coff, 0x14C); }, "Machine"},
    {"optional header too small", [](auto& f, auto& l) { Put16(f, l.coff + 16, 64); }, "SizeOfOptionalHeader"},
    {"not PE32+", [](auto& f, auto& l) { Put16(f, l.opt, 0x10B); }, "Magic"},
    {"wrong subsystem (application)", [](auto& f, auto& l) { Put16(f, l.opt + 68, 10); }, "Subsystem"},
    {"runtime driver subsystem", [](auto& f, auto& l) { Put16(f, l.opt + 68, 12); }, "Subsystem"},
    {"section alignment below a page", [](auto& f, auto& l) { Put32(f, l.opt + 32, 0x200); }, "SectionAlignment"},
    {"section alignment not a power of two", [](auto& f, auto& l) { Put32(f, l.opt + 32, 0x3000); }, "SectionAlignment"},
    {"file alignment not a power of two", [](auto& f, auto& l) { Put32(f, l.opt + 36, 0x300); }, "FileAlignment"},
    {"zero SizeOfImage", [](auto& f, auto& l) { Put32(f, l.opt + 56, 0); }, "SizeOfImage"},
    {"SizeOfImage that overflows when rounded", [](auto& f, auto& l) { Put32(f, l.opt + 56, 0xFFFFFFFF); }, "SizeOfImage"},
    {"SizeOfHeaders beyond the file", [](auto& f, auto& l) { Put32(f, l.opt + 60, 0x7FFFFFF0); }, "SizeOfHeaders"},
    {"too many data directories", [](auto& f, auto& l) { Put32(f, l.opt + 108, 0xFFFFFFFF); }, "NumberOfRvaAndSizes"},
    {"no sections", [](auto& f, auto& l) { Put16(f, l.coff + 2, 0); }, "NumberOfSections"},
    {"section table beyond the headers", [](auto& f, auto& l) { Put16(f, l.coff + 2, 0xFFFF); }, "NumberOfSections"},
    {"relocations stripped", [](auto& f, auto& l) { f[l.coff + 18] |= 1; }, "Characteristics"},
    {"section raw data outside the file",
     [](auto& f, auto& l) { Put32(f, l.Section(1) + 20, 0x7FFFFF00); }, "section[1].PointerToRawData"},
    {"section raw size that overflows the offset",
     [](auto& f, auto& l) { Put32(f, l.Section(1) + 16, 0xFFFFFFFF); }, "section[1].PointerToRawData"},
    {"overlapping sections",
     [](auto& f, auto& l) { Put32(f, l.Section(1) + 12, l.U32(l.Section(0) + 12)); }, "section[1].VirtualAddress"},
    {"section over the headers", [](auto& f, auto& l) { Put32(f, l.Section(0) + 12, 0); }, "section[0].VirtualAddress"},
    {"unaligned section", [](auto& f, auto& l) { Put32(f, l.Section(0) + 12, 0x1010); }, "section[0].VirtualAddress"},
    {"section past SizeOfImage", [](auto& f, auto& l) { Put32(f, l.Section(0) + 8, 0xFFFFFFFF); }, "section[0].VirtualSize"},
    {"writable code section",
     [](auto& f, auto& l) { Put32(f, l.Section(0) + 36, l.U32(l.Section(0) + 36) | 0x80000000u); }, "section[0].Characteristics"},
    {"entry point in data", [](auto& f, auto& l) { Put32(f, l.opt + 16, l.U32(l.Section(2) + 12)); }, "AddressOfEntryPoint"},
    {"entry point outside the image", [](auto& f, auto& l) { Put32(f, l.opt + 16, 0xFFFFFFF0); }, "AddressOfEntryPoint"},
    {"an import directory", [](auto& f, auto& l) { Put32(f, l.opt + 112 + 8 + 4, 40); }, "DataDirectory[IMPORT]"},
    {"a TLS directory", [](auto& f, auto& l) { Put32(f, l.opt + 112 + 9 * 8 + 4, 40); }, "DataDirectory[TLS]"},
    {"relocation directory outside its section",
     [](auto& f, auto& l) { Put32(f, l.opt + 112 + 5 * 8 + 4, 0x100000); }, "DataDirectory[BASERELOC]"},
    {"relocation block smaller than its header", [](auto& f, auto& l) { Put32(f, l.reloc_file + 4, 4); }, "relocation block 0 SizeOfBlock"},
    {"relocation block past the directory",
     [](auto& f, auto& l) { Put32(f, l.reloc_file + 4, 0x10000); }, "relocation block 0 SizeOfBlock"},
    {"odd relocation block size", [](auto& f, auto& l) { Put32(f, l.reloc_file + 4, 9); }, "relocation block 0 SizeOfBlock"},
    {"unknown relocation type (HIGHLOW)",
     [](auto& f, auto& l) { Put16(f, l.reloc_file + 8, uint16_t(0x3000 | (l.U16(l.reloc_file + 8) & 0xFFF))); },
     "relocation block 0 entry 0"},
    {"relocation site outside the image", [](auto& f, auto& l) { Put32(f, l.reloc_file, 0x7FFFF000); }, "relocation block 0 entry 0"},
    {"relocation site on the headers", [](auto& f, auto& l) { Put32(f, l.reloc_file, 0); }, "relocation block 0 entry 0"},
};

TEST(Loader, RefusesEachBrokenImageNamingTheField) {
  const std::vector<uint8_t> good = test::FixtureImage();
  ASSERT_GT(good.size(), 1024u);
  const Layout layout(good);
  ASSERT_NE(layout.reloc_file, 0u);
  for (const BrokenCase& c : kCases) {
    std::vector<uint8_t> broken = good;
    c.mutate(broken, layout);
    const ParsedImage parsed = ParsePeImage(broken, layout::kImageRoom);
    EXPECT_FALSE(parsed.plan.has_value()) << c.meaning;
    EXPECT_EQ(parsed.error.field, c.field) << c.meaning << ": " << parsed.error.Text();
  }
}

TEST(Loader, TruncatingTheGoodImageAnywhereNeverCrashes) {
  const std::vector<uint8_t> good = test::FixtureImage();
  for (size_t size = 0; size < good.size(); size += 7) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + long(size));
    EXPECT_FALSE(ParsePeImage(cut, layout::kImageRoom).plan.has_value()) << size;
  }
}

TEST(Loader, PlansTheGoodImageWithSectionsProtectionsAndRelocations) {
  const ParsedImage parsed = ParsePeImage(test::FixtureImage(), layout::kImageRoom);
  ASSERT_TRUE(parsed.plan.has_value()) << parsed.error.Text();
  const ImagePlan& plan = *parsed.plan;
  EXPECT_EQ(plan.preferred_base, 0u);
  ASSERT_EQ(plan.sections.size(), 4u);
  EXPECT_EQ(plan.sections[0].name, ".text");
  EXPECT_EQ(plan.sections[0].access, PageAccess::ReadExecute);
  EXPECT_EQ(plan.sections[1].access, PageAccess::ReadOnly);
  EXPECT_EQ(plan.sections[2].access, PageAccess::ReadWrite);
  EXPECT_GE(plan.dir64_sites.size(), 4u);
}

}  // namespace
}  // namespace vorq::emu
