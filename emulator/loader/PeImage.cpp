#include "loader/PeImage.h"

#include <algorithm>
#include <cstring>

#include "support/Hex.h"

namespace vorq::emu {
namespace {

// The parts of the format the loader reads, with offsets from the start of each header:
//
//   DOS header        "MZ" @0, e_lfanew u32 @0x3C (offset of the PE signature)
//   PE signature      "PE\0\0"
//   COFF header (20)  Machine u16 @0, NumberOfSections u16 @2, SizeOfOptionalHeader u16 @16,
//                     Characteristics u16 @18
//   Optional (PE32+)  Magic u16 @0, AddressOfEntryPoint u32 @16, ImageBase u64 @24,
//                     SectionAlignment u32 @32, FileAlignment u32 @36, SizeOfImage u32 @56,
//                     SizeOfHeaders u32 @60, Subsystem u16 @68, NumberOfRvaAndSizes u32 @108,
//                     DataDirectory[] @112, 8 bytes each: RVA u32, Size u32
//   Section (40)      Name[8] @0, VirtualSize u32 @8, VirtualAddress u32 @12,
//                     SizeOfRawData u32 @16, PointerToRawData u32 @20, Characteristics u32 @36
//   Relocation block  PageRVA u32, SizeOfBlock u32 (header included), then u16 entries:
//                     type in bits 15:12, offset in the page in bits 11:0
//
// Rules, checked in this order, each refusing with the field's name:
//   the DOS magic; e_lfanew and the COFF header inside the file; the PE signature; Machine
//   0x8664; an optional header inside the file and large enough; Magic 0x20B; Subsystem 11;
//   SectionAlignment a power of two of at least a page; FileAlignment a power of two;
//   SizeOfImage non-zero and within the room in SMRAM; SizeOfHeaders inside the file and the
//   image; NumberOfRvaAndSizes at most 16 and inside the optional header; 1 to 96 sections,
//   the table inside the file and the headers; relocations not stripped; per section:
//   aligned, after the headers and the previous section (no overlap), inside SizeOfImage,
//   raw data inside the file, not writable and executable at once; the entry point inside an
//   executable section; no import and no TLS directory; the relocation directory inside one
//   section's file data; each block at least its header, even-sized, inside the directory;
//   each entry ABSOLUTE (padding) or DIR64 with its 8 bytes inside one section.

constexpr uint16_t kMachineX64 = 0x8664;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint16_t kSubsystemBootServiceDriver = 11;
constexpr uint16_t kRelocsStripped = 0x0001;
constexpr uint32_t kScnMemExecute = 0x20000000, kScnMemWrite = 0x80000000;
constexpr uint32_t kScnCntCode = 0x00000020;
constexpr unsigned kImportDirectory = 1, kRelocDirectory = 5, kTlsDirectory = 9;
constexpr unsigned kRelAbsolute = 0, kRelDir64 = 10;
constexpr uint64_t kPage = 4096;

class Reader {
 public:
  explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
  bool Has(uint64_t offset, uint64_t size) const { return offset <= bytes_.size() && size <= bytes_.size() - offset; }
  template <typename T>
  T At(uint64_t offset) const {
    T value;
    std::memcpy(&value, bytes_.data() + offset, sizeof value);
    return value;
  }
  uint64_t Size() const { return bytes_.size(); }

 private:
  std::span<const uint8_t> bytes_;
};

bool PowerOfTwo(uint64_t v) { return v != 0 && (v & (v - 1)) == 0; }
uint64_t RoundUp(uint64_t v, uint64_t alignment) { return (v + alignment - 1) & ~(alignment - 1); }

ParsedImage Refuse(std::string field, std::string detail) { return {std::nullopt, {std::move(field), std::move(detail)}}; }

std::string SectionField(size_t index, const char* field) {
  return "section[" + std::to_string(index) + "]." + field;
}

// The section whose mapped span holds [rva, rva + size), or nullptr.
const SectionPlan* SectionHolding(const std::vector<SectionPlan>& sections, uint64_t rva, uint64_t size) {
  for (const SectionPlan& s : sections)
    if (rva >= s.rva && rva + size <= uint64_t(s.rva) + s.span) return &s;
  return nullptr;
}

}  // namespace

ParsedImage ParsePeImage(std::span<const uint8_t> file, uint64_t max_image_size) {
  const Reader in(file);
  if (!in.Has(0, 64) || in.At<uint16_t>(0) != 0x5A4D) return Refuse("e_magic", "not an MZ executable");
  const uint64_t pe = in.At<uint32_t>(0x3C);
  if (!in.Has(pe, 4 + 20)) return Refuse("e_lfanew", Hex(pe) + " puts the PE header outside the file");
  if (in.At<uint32_t>(pe) != 0x00004550) return Refuse("Signature", "no PE signature at " + Hex(pe));
  const uint64_t coff = pe + 4;
  const uint16_t machine = in.At<uint16_t>(coff);
  if (machine != kMachineX64) return Refuse("Machine", Hex(machine) + ", not 0x8664 (x86-64)");
  const uint16_t section_count = in.At<uint16_t>(coff + 2);
  const uint16_t optional_size = in.At<uint16_t>(coff + 16);
  const uint16_t characteristics = in.At<uint16_t>(coff + 18);
  const uint64_t opt = coff + 20;
  if (optional_size < 112 || !in.Has(opt, optional_size))
    return Refuse("SizeOfOptionalHeader", std::to_string(optional_size) + " bytes: too small or outside the file");
  const uint16_t magic = in.At<uint16_t>(opt);
  if (magic != kMagicPe32Plus) return Refuse("Magic", Hex(magic) + ", not 0x20B (PE32+)");
  const uint16_t subsystem = in.At<uint16_t>(opt + 68);
  if (subsystem != kSubsystemBootServiceDriver)
    return Refuse("Subsystem", std::to_string(subsystem) + ", not 11 (EFI boot service driver)");
  const uint32_t section_alignment = in.At<uint32_t>(opt + 32);
  if (!PowerOfTwo(section_alignment) || section_alignment < kPage)
    return Refuse("SectionAlignment", Hex(section_alignment) + ": pages cannot be protected per section");
  const uint32_t file_alignment = in.At<uint32_t>(opt + 36);
  if (!PowerOfTwo(file_alignment)) return Refuse("FileAlignment", Hex(file_alignment) + " is not a power of two");
  const uint64_t image_size = RoundUp(in.At<uint32_t>(opt + 56), section_alignment);
  if (image_size == 0 || image_size > max_image_size)
    return Refuse("SizeOfImage", Hex(in.At<uint32_t>(opt + 56)) + ": zero or larger than the room in SMRAM (" +
                                     Hex(max_image_size) + ")");
  const uint32_t headers_size = in.At<uint32_t>(opt + 60);
  if (headers_size > in.Size() || headers_size > image_size)
    return Refuse("SizeOfHeaders", Hex(headers_size) + " passes the end of the file or the image");
  const uint32_t directory_count = in.At<uint32_t>(opt + 108);
  if (directory_count > 16 || 112 + uint64_t(directory_count) * 8 > optional_size)
    return Refuse("NumberOfRvaAndSizes", std::to_string(directory_count) + " directories do not fit the optional header");
  auto directory = [&](unsigned index) -> std::pair<uint32_t, uint32_t> {
    if (index >= directory_count) return {0, 0};
    return {in.At<uint32_t>(opt + 112 + 8 * index), in.At<uint32_t>(opt + 116 + 8 * index)};
  };
  const uint64_t table = opt + optional_size;
  if (section_count == 0 || section_count > 96 || !in.Has(table, uint64_t(section_count) * 40) ||
      table + uint64_t(section_count) * 40 > headers_size)
    return Refuse("NumberOfSections", std::to_string(section_count) + ": none, too many, or the table passes the headers");
  if (characteristics & kRelocsStripped)
    return Refuse("Characteristics", "relocations stripped: the image cannot be moved off ImageBase");

  ImagePlan plan;
  plan.preferred_base = in.At<uint64_t>(opt + 24);
  plan.size_of_image = uint32_t(image_size);
  plan.size_of_headers = headers_size;
  uint64_t next_free = RoundUp(headers_size, section_alignment);
  for (size_t i = 0; i < section_count; ++i) {
    const uint64_t h = table + 40 * i;
    char name[9] = {};
    std::memcpy(name, file.data() + h, 8);
    const uint32_t virtual_size = in.At<uint32_t>(h + 8), rva = in.At<uint32_t>(h + 12);
    const uint32_t raw_size = in.At<uint32_t>(h + 16), raw_offset = in.At<uint32_t>(h + 20);
    const uint32_t flags = in.At<uint32_t>(h + 36);
    const uint64_t extent = virtual_size ? virtual_size : raw_size;
    const uint64_t span = RoundUp(extent, section_alignment);
    if (rva % section_alignment != 0) return Refuse(SectionField(i, "VirtualAddress"), Hex(rva) + " is not aligned");
    if (rva < next_free)
      return Refuse(SectionField(i, "VirtualAddress"),
                    Hex(rva) + " overlaps the headers or the previous section (free from " + Hex(next_free) + ")");
    if (extent == 0 || uint64_t(rva) + span > image_size)
      return Refuse(SectionField(i, "VirtualSize"), Hex(extent) + " at " + Hex(rva) + " passes SizeOfImage");
    if (!in.Has(raw_offset, raw_size))
      return Refuse(SectionField(i, "PointerToRawData"),
                    Hex(raw_offset) + " + " + Hex(raw_size) + " passes the end of the file");
    const bool execute = flags & (kScnMemExecute | kScnCntCode), write = flags & kScnMemWrite;
    if (execute && write) return Refuse(SectionField(i, "Characteristics"), std::string(name) + " is writable and executable");
    const PageAccess access = execute ? PageAccess::ReadExecute : write ? PageAccess::ReadWrite : PageAccess::ReadOnly;
    plan.sections.push_back({name, rva, uint32_t(span), raw_offset, uint32_t(std::min<uint64_t>(raw_size, extent)), access});
    next_free = rva + span;
  }

  plan.entry_rva = in.At<uint32_t>(opt + 16);
  const SectionPlan* entry_section = SectionHolding(plan.sections, plan.entry_rva, 1);
  if (!entry_section || entry_section->access != PageAccess::ReadExecute)
    return Refuse("AddressOfEntryPoint", Hex(plan.entry_rva) + " is not inside an executable section");
  if (directory(kImportDirectory).second != 0)
    return Refuse("DataDirectory[IMPORT]", "the image imports; a firmware image links everything statically");
  if (directory(kTlsDirectory).second != 0)
    return Refuse("DataDirectory[TLS]", "TLS callbacks would run before the entry point");

  const auto [reloc_rva, reloc_size] = directory(kRelocDirectory);
  if (reloc_size == 0) return {plan, {}};
  const SectionPlan* holder = SectionHolding(plan.sections, reloc_rva, reloc_size);
  if (!holder || uint64_t(reloc_rva) + reloc_size > uint64_t(holder->rva) + holder->copy_size)
    return Refuse("DataDirectory[BASERELOC]", Hex(reloc_rva) + " + " + Hex(reloc_size) + " is not inside one section's file data");
  const uint64_t base = uint64_t(holder->file_offset) + (reloc_rva - holder->rva);
  for (uint64_t at = 0, block = 0; at < reloc_size; ++block) {
    const std::string field = "relocation block " + std::to_string(block);
    if (reloc_size - at < 8) return Refuse(field, "header passes the end of the directory");
    const uint32_t page = in.At<uint32_t>(base + at), block_size = in.At<uint32_t>(base + at + 4);
    if (block_size < 8 || block_size % 2 != 0 || block_size > reloc_size - at)
      return Refuse(field + " SizeOfBlock", Hex(block_size) + " is too small, odd or passes the directory");
    for (uint64_t e = 8; e < block_size; e += 2) {
      const uint16_t entry = in.At<uint16_t>(base + at + e);
      const unsigned type = entry >> 12;
      const std::string entry_field = field + " entry " + std::to_string((e - 8) / 2);
      if (type == kRelAbsolute) continue;
      if (type != kRelDir64) return Refuse(entry_field, "relocation type " + std::to_string(type) + " is not DIR64 (10)");
      const uint64_t site = uint64_t(page) + (entry & 0xFFF);
      if (!SectionHolding(plan.sections, site, 8))
        return Refuse(entry_field, "site " + Hex(site) + " is outside every section of the image");
      plan.dir64_sites.push_back(uint32_t(site));
    }
    at += block_size;
  }
  return {plan, {}};
}

}  // namespace vorq::emu
