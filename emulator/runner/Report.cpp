#include "runner/Report.h"

#include <cstdio>

#include <Uefi.h>

#include "platform/AddressMap.h"
#include "support/Guids.h"
#include "support/Hex.h"
#include "support/StatusNames.h"

namespace vorq::emu {
namespace {

const char* AccessText(PageAccess access) {
  switch (access) {
    case PageAccess::ReadOnly: return "r--";
    case PageAccess::ReadWrite: return "rw-";
    case PageAccess::ReadExecute: return "r-x";
    case PageAccess::None: break;
  }
  return "---";
}

std::string PoolLine(const Pool& pool) {
  const PoolStats& s = pool.Stats();
  return std::to_string(s.live_blocks) + " blocks, " + std::to_string(s.live_bytes) + " bytes (peak " +
         std::to_string(s.peak_blocks) + " blocks, " + std::to_string(s.peak_bytes) + " bytes)";
}

uint32_t BaudOf(uint16_t divisor) { return divisor ? 115200u / divisor : 0; }

void PrintSerial(std::ostream& out, const Board& board) {
  const Uart16550& uart = const_cast<Board&>(board).Uart();
  out << "uart: divisor " << uart.Divisor() << " (" << BaudOf(uart.Divisor()) << " baud), lcr "
      << Hex(uart.LineControl()) << ", fcr " << Hex(uart.FifoControl()) << ", mcr " << Hex(uart.ModemControl()) << "\n";
  const std::vector<uint8_t>& bytes = uart.Transmitted();
  out << "serial bytes: " << bytes.size() << "\n";
  // One line per transmitted line; CR dropped before LF, other control bytes as \xNN.
  std::string line;
  bool open = false;
  auto flush = [&] {
    out << "serial: " << line << "\n";
    line.clear();
    open = false;
  };
  for (size_t i = 0; i < bytes.size(); ++i) {
    const uint8_t b = bytes[i];
    open = true;
    if (b == '\n') {
      flush();
    } else if (b == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
      continue;
    } else if (b >= 0x20 && b < 0x7F) {
      line += char(b);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", b);
      line += escaped;
    }
  }
  if (open) flush();
}

void PrintFault(std::ostream& out, const std::optional<TrapFault>& fault) {
  if (fault) out << "error: " << DescribeFault(*fault) << "\n";
}

}  // namespace

int ExitCodeForStatus(uint64_t status) {
  if (status == EFI_SUCCESS) return 0;
  if (status == EFI_SECURITY_VIOLATION) return 1;
  if (status == EFI_OUT_OF_RESOURCES) return 2;
  return 3;
}

void PrintImage(std::ostream& out, const Emulator& emulator, const std::string& path) {
  const ImagePlan& plan = emulator.Image();
  out << "image: " << path << "\n";
  out << "image base: " << Hex(emulator.ImageBase()) << " size " << Hex(plan.size_of_image) << " entry "
      << emulator.Describe(emulator.ImageBase() + plan.entry_rva) << "\n";
  for (const SectionPlan& s : plan.sections)
    out << "section: " << s.name << " " << emulator.Describe(emulator.ImageBase() + s.rva) << " size " << Hex(s.span)
        << " " << AccessText(s.access) << "\n";
  out << "relocations: " << plan.dir64_sites.size() << " DIR64\n";
  out << "smram: " << Hex(layout::kSmramBase) << " size " << Hex(layout::kSmramSize) << "\n";
  for (const SmramRange& r : emulator.ThePlatform().SmramMap())
    out << "smram map: " << Hex(r.start) << " size " << Hex(r.size) << "\n";
}

void PrintEntry(std::ostream& out, Emulator& emulator, const EntryOutcome& entry) {
  Platform& platform = emulator.ThePlatform();
  if (entry.returned)
    out << "entry status: " << DescribeStatus(entry.status) << "\n";
  else
    out << "entry status: none (stopped)\n";
  PrintFault(out, entry.fault);
  for (uint64_t breakpoint : Breakpoints()) out << "breakpoint: " << emulator.Describe(breakpoint) << "\n";
  for (const InstalledProtocol& p : platform.smm_protocols.Installed())
    if (p.installer != 0)
      out << "protocol: " << GuidName(p.guid) << " " << FormatGuid(p.guid) << " interface "
          << emulator.Describe(reinterpret_cast<uint64_t>(p.interface)) << "\n";
  const EFI_SYSTEM_TABLE* st = platform.SystemTable();
  for (UINTN i = 0; i < st->NumberOfTableEntries; ++i) {
    const EFI_CONFIGURATION_TABLE& t = st->ConfigurationTable[i];
    out << "config table: " << GuidName(t.VendorGuid) << " " << FormatGuid(t.VendorGuid);
    if (SameGuid(t.VendorGuid, kTscFrequencyTableGuid) && t.VendorTable)
      out << " " << *static_cast<const uint64_t*>(t.VendorTable) << " Hz";
    else
      out << " table " << emulator.Describe(reinterpret_cast<uint64_t>(t.VendorTable));
    out << "\n";
  }
  out << "smm pool after load: " << PoolLine(platform.smm_pool) << "\n";
  out << "boot pool after load: " << PoolLine(platform.boot_pool) << "\n";
  out << "entry stack high-water: " << entry.stack_high_water << " bytes\n";
  char elapsed[32];
  std::snprintf(elapsed, sizeof(elapsed), "%.2f", entry.elapsed_ms);
  out << "entry time: " << elapsed << " ms\n";
  for (const std::string& m : entry.misuse) out << "error: " << m << "\n";
  PrintSerial(out, emulator.Devices());
}

void PrintCall(std::ostream& out, Emulator& emulator, const CallOutcome& call) {
  const Platform& platform = emulator.ThePlatform();
  out << "data: " << Hex(platform.data.address) << " size " << platform.data.size << " (read-only)\n";
  out << "signature: " << Hex(platform.signature.address) << " size " << platform.signature.size << " (read-only)\n";
  for (const CheckerCall& c : call.checker_calls) {
    const char* which = c.buffer == platform.data.address && c.length == platform.data.size             ? "data"
                        : c.buffer == platform.signature.address && c.length == platform.signature.size ? "signature"
                                                                                                         : "other";
    out << "checker call: " << which << " " << Hex(c.buffer) << " length " << c.length << " answer " << int(c.answer)
        << "\n";
  }
  if (!call.error.empty()) out << "error: " << call.error << "\n";
  if (call.returned)
    out << "authenticate status: " << DescribeStatus(call.status) << "\n";
  else if (call.located)
    out << "authenticate status: none (stopped)\n";
  PrintFault(out, call.fault);
  out << "call smm pool peak: " << call.smm_pool_peak_blocks << " blocks, " << call.smm_pool_peak_bytes << " bytes\n";
  out << "call stack high-water: " << call.stack_high_water << " bytes\n";
  for (const std::string& m : call.misuse) out << "error: " << m << "\n";
  if (call.leaks.empty()) out << "leaks: none\n";
  for (const LeakedBlock& leak : call.leaks)
    out << "error: leak: " << leak.size << " bytes at " << emulator.Describe(leak.address) << "\n";
  for (const LeakedBlock& block : call.released)
    out << "error: released a load-time block: " << block.size << " bytes at " << emulator.Describe(block.address) << "\n";
}

void PrintPortLog(std::ostream& out, Emulator& emulator) {
  const PortLog& log = emulator.Devices().Log();
  for (const PortAccess& a : log.Entries())
    out << "port: " << (a.is_write ? "out " : "in ") << Hex(a.port) << " " << a.width * 8 << "-bit " << Hex(a.value)
        << " " << (a.device ? a.device : "(no device)") << " at " << emulator.Describe(a.instruction) << "\n";
  if (log.Dropped()) out << "port log dropped: " << log.Dropped() << "\n";
}

}  // namespace vorq::emu

namespace vorq::emu {

void PrintServiceLog(std::ostream& out, Emulator& emulator) {
  for (const ServiceCall& call : emulator.ThePlatform().service_calls)
    out << "service: " << call.name << " from " << emulator.Describe(call.caller) << " " << DescribeStatus(call.status)
        << "\n";
}

}  // namespace vorq::emu
