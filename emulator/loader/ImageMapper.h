// Places a parsed image at its load address: copies headers and sections, applies the DIR64
// relocations for the distance to ImageBase, then protects every page by its section.
#pragma once
#include <span>
#include <string>

#include "loader/PeImage.h"

namespace vorq::emu {

// `destination` must be writable and hold plan.size_of_image bytes, page-aligned. Returns an
// error text when a protection cannot be set.
std::string MapImage(const ImagePlan& plan, std::span<const uint8_t> file, uint8_t* destination);

}  // namespace vorq::emu
