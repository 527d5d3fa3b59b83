// Parsing and validation of a PE32+ EFI boot-service driver, without touching memory: the
// result is a plan (sections, protections, relocation sites) or the first refused field.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorq::emu {

enum class PageAccess { None, ReadOnly, ReadWrite, ReadExecute };

struct SectionPlan {
  std::string name;
  uint32_t rva;
  uint32_t span;         // bytes mapped, rounded up to the section alignment
  uint32_t file_offset;
  uint32_t copy_size;    // bytes taken from the file; the rest of the span is zero
  PageAccess access;
};

struct ImagePlan {
  uint64_t preferred_base;
  uint32_t size_of_image;  // rounded up to the section alignment
  uint32_t size_of_headers;
  uint32_t entry_rva;
  std::vector<SectionPlan> sections;
  std::vector<uint32_t> dir64_sites;  // RVAs of the 64-bit words to relocate
};

struct LoadError {
  std::string field;   // the header field or table entry at fault, as the PE format names it
  std::string detail;
  std::string Text() const { return field + ": " + detail; }
};

struct ParsedImage {
  std::optional<ImagePlan> plan;
  LoadError error;  // meaningful when plan is empty
};

ParsedImage ParsePeImage(std::span<const uint8_t> file, uint64_t max_image_size);

}  // namespace vorq::emu
