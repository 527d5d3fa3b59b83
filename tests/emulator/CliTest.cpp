// The smm-emulator command line on the fixture: exit codes and report lines.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "TestSupport.h"

namespace vorq::emu {
namespace {
using namespace test;

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = ::testing::TempDir() + "smm-emulator-cli-" + std::to_string(getpid());
    std::system(("mkdir -p " + dir).c_str());
    Write("data.bin", data);
    Write("good.sig", FixtureSignature(data));
    Write("bad.sig", FixtureSignature(data, action::kPlain, false));
    Write("leak.sig", FixtureSignature(data, action::kLeak));
    Write("other.sig", FixtureSignature(data, action::kInvalidParameter));
    Write("write.sig", FixtureSignature(data, action::kWriteSignature));
    Write("port80.sig", FixtureSignature(data, action::kReadPort80));
    std::vector<uint8_t> broken = FixtureImage();
    broken[0x3C] = 0xF0, broken[0x3D] = 0xFF, broken[0x3E] = 0xFF, broken[0x3F] = 0x7F;
    Write("broken.efi", broken);
  }
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
  }
  // Runs the CLI with `arguments` (paths relative to the temporary folder); returns its exit code.
  int Run(const std::string& arguments) {
    const std::string command = "cd " + dir + " && " VORQ_SMM_EMULATOR " " + arguments + " > out.txt 2>&1";
    const int raw = std::system(command.c_str());
    std::ifstream in(dir + "/out.txt");
    std::stringstream text;
    text << in.rdbuf();
    output = text.str();
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  std::string dir, output;
  const std::vector<uint8_t> data = {'b', 'o', 'a', 'r', 'd'};
};

struct CliCase {
  const char* meaning;
  std::string arguments;
  int exit_code;
  const char* line;  // a line the output must contain
};

TEST_F(CliTest, ExitCodesAndReportLines) {
  const std::string image = VORQ_FIXTURE_IMAGE;
  const CliCase kCases[] = {
      {"load", image + " load", 0, "entry status: Success (0x0)"},
      {"load names the protocol", image + " load", 0, "protocol: SMM_IMAGE_AUTHENTICATION_PROTOCOL {BD13DB46-0087-4A05-A04A-086CEDA3B7D4}"},
      {"load shows the serial output", image + " load", 0, "serial: fixture: installed"},
      {"load shows a present TSC table", "--tsc-table=2000000000 " + image + " load", 0,
       "config table: TSC_FREQUENCY_TABLE {DBA6A7E3-BB57-4BE7-8AF8-D578DB7E5687} 2000000000 Hz"},
      {"good signature", image + " authenticate data.bin good.sig", 0, "authenticate status: Success (0x0)"},
      {"bad signature", image + " authenticate data.bin bad.sig", 1,
       "authenticate status: Security Violation (0x800000000000001A)"},
      {"no pool", "--fail-smm-allocation=1 " + image + " authenticate data.bin good.sig", 2,
       "authenticate status: Out of Resources (0x8000000000000009)"},
      {"other status", image + " authenticate data.bin other.sig", 3, "authenticate status: Invalid Parameter (0x8000000000000002)"},
      {"leak", image + " authenticate data.bin leak.sig", 4, "error: leak: 112 bytes at"},
      {"write to a caller buffer", image + " authenticate data.bin write.sig", 4, "(caller signature+0x0) at"},
      {"checker refuses the data", "--checker=refuse-data " + image + " authenticate data.bin good.sig", 1,
       "checker call: data 0x40000FFB length 5 answer 1"},
      {"checker answers 2", "--checker=answer-2 " + image + " authenticate data.bin good.sig", 0,
       "checker call: signature 0x60000F00 length 256 answer 2"},
      {"port without a device", image + " authenticate data.bin port80.sig", 4, "error: no device decodes port 0x80 (8-bit read)"},
      {"empty bus answers all ones", "--unpopulated=ff " + image + " authenticate data.bin port80.sig", 0,
       "authenticate status: Success (0x0)"},
      {"port log", "--port-log " + image + " load", 0, "port: out 0xCF8 32-bit 0x8000F880 pci-mechanism-1 at"},
      {"broken image", "broken.efi load", 4, "error: bad image: e_lfanew"},
      {"missing image", "missing.efi load", 64, "missing.efi"},
      {"missing data file", image + " authenticate missing.bin good.sig", 64, "missing.bin"},
      {"stuck timer", "--pm-timer-stuck --timeout-ms=200 " + image + " load", 4, "error: time limit reached"},
      {"no command", image, 64, "A subcommand is required"},
      {"unknown option", "--frobnicate " + image + " load", 64, ""},
      {"bad checker mode", "--checker=maybe " + image + " load", 64, ""},
      {"authenticate without files", image + " authenticate", 64, ""},
      {"bad pm timer width", "--pm-timer=16 " + image + " load", 64, ""},
      {"bad SMRAM range", "--smram-range=0x7F000000 " + image + " load", 64, "expected START:SIZE"},
  };
  for (const CliCase& c : kCases) {
    EXPECT_EQ(Run(c.arguments), c.exit_code) << c.meaning << "\n" << output;
    EXPECT_NE(output.find(c.line), std::string::npos) << c.meaning << "\n" << output;
  }
}

TEST_F(CliTest, SerialLogReceivesEveryTransmittedByte) {
  ASSERT_EQ(Run("--serial-log=serial.txt " + std::string(VORQ_FIXTURE_IMAGE) + " load"), 0) << output;
  std::ifstream in(dir + "/serial.txt", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "fixture: entry\r\nfixture: installed\r\n");
}

}  // namespace
}  // namespace vorq::emu
