// smm-emulator [options] IMAGE load
// smm-emulator [options] IMAGE authenticate DATA SIGNATURE
//
// Exit codes: 0 EFI_SUCCESS, 1 EFI_SECURITY_VIOLATION, 2 EFI_OUT_OF_RESOURCES, 3 any other
// status, 4 an emulator or image error, 64 a bad command line.
#include <CLI/CLI.hpp>

#include <fstream>
#include <iostream>
#include <iterator>

#include "runner/Emulator.h"
#include "runner/Report.h"

using namespace vorq::emu;

namespace {

constexpr int kExitUsage = 64;

bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// "START:SIZE", both in any base strtoull accepts (0x for hex).
SmramRange ParseRange(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos) throw CLI::ValidationError("--smram-range", "expected START:SIZE, got " + text);
  size_t used = 0;
  const uint64_t start = std::stoull(text.substr(0, colon), &used, 0);
  const uint64_t size = std::stoull(text.substr(colon + 1), &used, 0);
  return {start, size};
}

CheckerMode ParseChecker(const std::string& name) {
  if (name == "policy") return CheckerMode::Policy;
  if (name == "absent") return CheckerMode::Absent;
  if (name == "refuse-data") return CheckerMode::RefuseData;
  if (name == "refuse-signature") return CheckerMode::RefuseSignature;
  if (name == "answer-2") return CheckerMode::Answer2;
  return CheckerMode::AcceptAll;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Loads a PE32+ SMM driver into emulated SMRAM and runs it natively."};
  app.fallthrough();
  EmulatorOptions options;
  std::string image_path;
  app.add_option("IMAGE", image_path, "the PE32+ image")->required()->check(CLI::ExistingFile);

  uint64_t tsc_hz = 0;
  auto* tsc = app.add_option("--tsc-table", tsc_hz, "install a TSC frequency table (Hz) before the entry runs");
  app.add_option("--pm-timer", options.board.pm_timer.bits, "PM timer width")->check(CLI::IsMember({24u, 32u}));
  app.add_option("--pm-timer-start", options.board.pm_timer.start, "PM timer count at reset (e.g. near the wrap)");
  app.add_flag("--pm-timer-stuck", options.board.pm_timer.stuck, "the PM timer never advances");
  unsigned cmos = 0;
  app.add_option("--cmos-6f", cmos, "CMOS register 0x6F (baud selection bits 0x06)")->check(CLI::Range(0u, 255u));
  std::vector<unsigned> active;
  app.add_option("--superio-active", active, "Super I/O logical device active at power-on (2, 3 or 0x11; repeat for several)")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  unsigned msr = 0x30;
  app.add_option("--uart-msr", msr, "UART modem status register")->check(CLI::Range(0u, 255u));
  app.add_option("--uart-busy-reads", options.board.uart.busy_reads, "LSR reads the transmitter stays busy per byte");
  app.add_option("--serial-log", options.serial_log_path, "write every transmitted byte to FILE");
  std::string checker = "policy";
  app.add_option("--checker", checker, "external pointer checker")
      ->check(CLI::IsMember({"policy", "absent", "refuse-data", "refuse-signature", "answer-2", "accept"}));
  std::vector<std::string> ranges;
  app.add_option("--smram-range", ranges, "an SMRAM map range START:SIZE (repeat for several)")
      ->expected(1)
      ->allow_extra_args(false)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  uint64_t map_bytes = 0;
  auto* map_size = app.add_option("--smram-map-bytes", map_bytes, "map size GetCapabilities reports (remainder allowed)");
  AllocationFaults& faults = options.platform.faults;
  app.add_option("--fail-smm-allocation", faults.fail_smm_nth_after_load, "fail the Nth SMM allocation after the load");
  auto* fail_after = app.add_option("--fail-smm-allocations-after", faults.fail_smm_all_after_load,
                                    "fail every SMM allocation after the first N after the load");
  app.add_option("--fail-load-smm-allocation", faults.fail_smm_nth_during_load, "fail the Nth SMM allocation of the load");
  app.add_option("--fail-boot-allocation", faults.fail_boot_nth_during_load, "fail the Nth boot-services allocation of the load");
  std::string unpopulated = "fault";
  app.add_option("--unpopulated", unpopulated, "ports no device decodes: stop the run, or answer 0xFF")
      ->check(CLI::IsMember({"fault", "ff"}));
  bool no_gating = false;
  app.add_flag("--no-decode-gating", no_gating, "UART and Super I/O answer whatever the LPC decode and Super I/O state");
  app.add_option("--lpc-decode", options.board.lpc_decode, "LPC bridge registers 0x80-0x83 at reset");
  uint16_t acpi_base = 0;
  auto* acpi = app.add_option("--acpi-base", acpi_base, "ACPI PM base programmed and decoded at reset");
  app.add_option("--timeout-ms", options.timeout_ms, "time limit of each call into the image (0: none)");
  bool port_log = false;
  app.add_flag("--port-log", port_log, "print every port access");
  bool service_log = false;
  app.add_flag("--service-log", service_log, "print every served boot-services, SMST and protocol call");

  app.require_subcommand(1);
  CLI::App* load = app.add_subcommand("load", "run the entry point and report");
  CLI::App* authenticate = app.add_subcommand("authenticate", "run the entry, then AuthenticateImage (DATA, SIGNATURE)");
  std::string data_path, signature_path;
  authenticate->add_option("DATA", data_path, "data file")->required()->check(CLI::ExistingFile);
  authenticate->add_option("SIGNATURE", signature_path, "signature file")->required()->check(CLI::ExistingFile);

  try {
    app.parse(argc, argv);
    for (const std::string& r : ranges) options.platform.smram_map.push_back(ParseRange(r));
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  } catch (const std::exception& e) {
    std::cerr << "bad option value: " << e.what() << "\n" << app.help();
    return kExitUsage;
  }
  if (tsc->count()) options.platform.tsc_table_hz = tsc_hz;
  if (map_size->count()) options.platform.smram_map_bytes = map_bytes;
  faults.fail_smm_all_after_load_set = fail_after->count() > 0;
  options.platform.checker = ParseChecker(checker);
  options.board.cmos_baud_selection = uint8_t(cmos);
  for (unsigned ldn : active) options.board.super_io.initially_active.push_back(uint8_t(ldn));
  options.board.uart.msr = uint8_t(msr);
  options.board.unpopulated_reads_ff = unpopulated == "ff";
  options.board.decode_gating = !no_gating;
  if (acpi->count()) {
    options.board.acpi_base = uint16_t(acpi_base | 1);
    options.board.acpi_control = 0x80;
  }

  std::vector<uint8_t> data, signature;
  if (authenticate->parsed()) {
    if (!ReadFile(data_path, data)) return std::cerr << "error: cannot read " << data_path << "\n", kExitUsage;
    if (!ReadFile(signature_path, signature)) return std::cerr << "error: cannot read " << signature_path << "\n", kExitUsage;
  }

  Emulator emulator(options);
  std::string error;
  if (!emulator.Start(&error) || !emulator.LoadImageFile(image_path, &error)) {
    std::cout << "error: " << error << "\n";
    return kExitEmulatorOrImageError;
  }
  PrintImage(std::cout, emulator, image_path);
  const EntryOutcome entry = emulator.RunEntry();
  PrintEntry(std::cout, emulator, entry);
  int exit_code = entry.Failed() ? kExitEmulatorOrImageError : ExitCodeForStatus(entry.status);
  if (authenticate->parsed() && exit_code == 0) {
    const CallOutcome call = emulator.Authenticate(data, signature);
    PrintCall(std::cout, emulator, call);
    exit_code = call.Failed() ? kExitEmulatorOrImageError : ExitCodeForStatus(call.status);
  } else if (authenticate->parsed()) {
    std::cout << "error: the entry did not succeed; AuthenticateImage is not called\n";
    exit_code = kExitEmulatorOrImageError;
  }
  if (service_log) PrintServiceLog(std::cout, emulator);
  if (port_log) PrintPortLog(std::cout, emulator);
  std::cout << "exit code: " << exit_code << "\n";
  (void)load;
  return exit_code;
}
