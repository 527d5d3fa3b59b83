// Every assertion site of the primitives: with assertions enabled, a call outside the
// contract reports its source, line and condition text, in the order the tests run, and the
// operation then carries on. Where carrying on faults (an access past the top of the address
// space, through NULL, or a port instruction on the host), the fault ends the call.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "AssertionRecorder.h"
#include "Library/BaseLib.h"
#include "Library/BaseMemoryLib.h"
#include "Library/IoLib.h"
#include "Library/PciExpressLib.h"
#include "SignalCatcher.h"

// gtest prints a failing report through this.
void PrintTo(const RecordedAssertion &Report, std::ostream *Out) {
  *Out << Report.File << "(" << Report.Line << "): " << Report.Text;
}

namespace {

// The last 16 bytes of the address space: a range of 16 bytes from here ends exactly at the
// top, one of 0x20 bytes passes it.
VOID *const kNearTop = (VOID *)0xFFFFFFFFFFFFFFF0ULL;

alignas(8) UINT8 gBuffer[64];

const char kSetMem[] = "MdePkg/Library/BaseMemoryLibRepStr/SetMemWrapper";
const char kCopyMem[] = "MdePkg/Library/BaseMemoryLibRepStr/CopyMemWrapper";
const char kZeroMem[] = "MdePkg/Library/BaseMemoryLibRepStr/ZeroMemWrapper";
const char kCompareMem[] = "MdePkg/Library/BaseMemoryLibRepStr/CompareMemWrapper";
const char kScanMem[] = "MdePkg/Library/BaseMemoryLibRepStr/ScanMem8Wrapper";
const char kUnaligned[] = "MdePkg/Library/BaseLib/Unaligned";
const char kDivision[] = "MdePkg/Library/BaseLib/DivU64x32Remainder";
const char kPorts[] = "MdePkg/Library/BaseIoLibIntrinsic/IoLibMsc";
const char kMmio[] = "MdePkg/Library/BaseIoLibIntrinsic/IoLib";
const char kPcie[] = "MdePkg/Library/BasePciExpressLib/PciExpressLib";

const char kNullBuffer[] = "Buffer != ((void *) 0)";
const char kPcieAddress[] = "((Address) & ~0xfffffff) == 0";
const char kPortAligned[] = "(Port & 3) == 0";
const char kMmioAligned[] = "(Address & 1) == 0";

struct SiteCase {
  const char *Name;
  std::function<void()> Call;
  std::vector<RecordedAssertion> Expected;
};

void PrintTo(const SiteCase &Case, std::ostream *Out) { *Out << Case.Name; }

const SiteCase kSiteCases[] = {
    {"MemSetPastTop", [] { MemSet(kNearTop, 0x20, 0); },
     {{kSetMem, 54, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer)"}}},
    {"MemSetEndingAtTop", [] { MemSet(kNearTop, 16, 0); }, {}},
    {"MemCopyDestinationPastTop", [] { MemCopy(kNearTop, gBuffer, 0x20); },
     {{kCopyMem, 56, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)DestinationBuffer)"}}},
    {"MemCopySourcePastTop", [] { MemCopy(gBuffer, kNearTop, 0x20); },
     {{kCopyMem, 57, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)SourceBuffer)"}}},
    {"MemZeroNullWithLength", [] { MemZero(NULL, 1); },
     {{kZeroMem, 49, "!(Buffer == ((void *) 0) && Length > 0)"},
      {kZeroMem, 50, "Length <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer + 1)"}}},
    {"MemZeroPastTop", [] { MemZero(kNearTop, 0x20); },
     {{kZeroMem, 50, "Length <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer + 1)"}}},
    {"MemZeroEndingAtTop", [] { MemZero(kNearTop, 16); }, {}},
    {"MemCompareNullDestination", [] { MemCompare(NULL, gBuffer, 1); },
     {{kCompareMem, 60, "DestinationBuffer != ((void *) 0)"}}},
    {"MemCompareNullSource", [] { MemCompare(gBuffer, NULL, 1); },
     {{kCompareMem, 61, "SourceBuffer != ((void *) 0)"}}},
    {"MemCompareDestinationPastTop", [] { MemCompare(kNearTop, gBuffer, 0x20); },
     {{kCompareMem, 62, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)DestinationBuffer)"}}},
    {"MemCompareSourcePastTop", [] { MemCompare(gBuffer, kNearTop, 0x20); },
     {{kCompareMem, 63, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)SourceBuffer)"}}},
    {"MemScan8Null", [] { MemScan8(NULL, 1, 0); }, {{kScanMem, 58, kNullBuffer}}},
    {"MemScan8PastTop", [] { MemScan8(kNearTop, 0x20, 0); },
     {{kScanMem, 59, "(Length - 1) <= (0xFFFFFFFFFFFFFFFFULL - (UINTN)Buffer)"}}},
    {"LoadUnaligned16Null", [] { LoadUnaligned16(NULL); }, {{kUnaligned, 38, kNullBuffer}}},
    {"LoadUnaligned32Null", [] { LoadUnaligned32(NULL); }, {{kUnaligned, 141, kNullBuffer}}},
    {"LoadUnaligned64Null", [] { LoadUnaligned64(NULL); }, {{kUnaligned, 192, kNullBuffer}}},
    {"DivRemU64x32ByZero", [] { DivRemU64x32(1, 0, NULL); }, {{kDivision, 47, "Divisor != 0"}}},
    {"PortRead32Unaligned", [] { PortRead32(0x401); }, {{kPorts, 193, kPortAligned}}},
    {"PortWrite32Unaligned", [] { PortWrite32(0xCFE, 0); }, {{kPorts, 223, kPortAligned}}},
    {"PortRead8AnyPort", [] { PortRead8(0x3F9); }, {}},
    {"PortWrite8AnyPort", [] { PortWrite8(0x371, 0); }, {}},
    {"MmioLoad16Odd", [] { MmioLoad16((UINTN)gBuffer + 1); }, {{kMmio, 151, kMmioAligned}}},
    {"MmioStore16Odd", [] { MmioStore16((UINTN)gBuffer + 3, 0); }, {{kMmio, 214, kMmioAligned}}},
    {"PcieRead8Bit28", [] { PcieRead8(0x10000000); }, {{kPcie, 109, kPcieAddress}}},
    {"PcieOr8Bit63", [] { PcieOr8(0x8000000000000000ULL, 1); }, {{kPcie, 167, kPcieAddress}}},
    {"PcieRead16Bit28", [] { PcieRead16(0x100F8000); }, {{kPcie, 482, kPcieAddress}}},
    {"PcieWrite16Bit32", [] { PcieWrite16(0x1000F8000ULL, 0); }, {{kPcie, 510, kPcieAddress}}},
};

class AssertionSite : public testing::TestWithParam<SiteCase> {};

TEST_P(AssertionSite, ReportsSourceLineAndText) {
  AssertionsEnabled On;
  EndsInFault(GetParam().Call);
  EXPECT_EQ(RecordedAssertions(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Primitives, AssertionSite, testing::ValuesIn(kSiteCases),
                         [](const testing::TestParamInfo<SiteCase> &Info) { return std::string(Info.param.Name); });

}  // namespace
