#include "support/StatusNames.h"

#include "support/Hex.h"

namespace vorq::emu {
namespace {

constexpr uint64_t kErrorBit = 0x8000000000000000ULL;

// As the module's print engine names them: success and warnings 0 to 4.
constexpr const char* kSuccessAndWarnings[] = {
    "Success", "Warning Unknown Glyph", "Warning Delete Failure", "Warning Write Failure",
    "Warning Buffer Too Small"};

// The module's errors 1 to 24, then the UEFI names of 25 to 33 which the module's table lacks
// but the emulator must print (Security Violation is one of the module's three answers).
constexpr const char* kErrors[] = {
    nullptr, "Load Error", "Invalid Parameter", "Unsupported", "Bad Buffer Size", "Buffer Too Small",
    "Not Ready", "Device Error", "Write Protected", "Out of Resources", "Volume Corrupt", "Volume Full",
    "No Media", "Media changed", "Not Found", "Access Denied", "No Response", "No mapping", "Time out",
    "Not started", "Already started", "Aborted", "ICMP Error", "TFTP Error", "Protocol Error",
    "Incompatible Version", "Security Violation", "CRC Error", "End of Media", nullptr, nullptr,
    "End of File", "Invalid Language", "Compromised Data"};

}  // namespace

std::string StatusName(uint64_t status) {
  if ((status & kErrorBit) != 0) {
    const uint64_t code = status & ~kErrorBit;
    if (code < std::size(kErrors) && kErrors[code] != nullptr) return kErrors[code];
    return "Unknown Status";
  }
  if (status < std::size(kSuccessAndWarnings)) return kSuccessAndWarnings[status];
  return "Unknown Status";
}

std::string DescribeStatus(uint64_t status) { return StatusName(status) + " (" + Hex(status) + ")"; }

}  // namespace vorq::emu
