// Names of EFI_STATUS values as the emulator prints them: "Success (0x0)".
#pragma once
#include <cstdint>
#include <string>

namespace vorq::emu {

// The names the module's print engine gives statuses, for the values it covers; the UEFI
// names of the errors beyond them (25 and up); else "Unknown Status".
std::string StatusName(uint64_t status);

// "Security Violation (0x800000000000001A)": the form every report line uses.
std::string DescribeStatus(uint64_t status);

}  // namespace vorq::emu
