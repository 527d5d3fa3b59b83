// String compare, unaligned loads, 64-by-32 arithmetic and processor controls.
#include <gtest/gtest.h>

#include "AssertionRecorder.h"
#include "Library/BaseLib.h"
#include "SignalCatcher.h"

namespace {

TEST(AsciiStrCompare, CharactersCompareAsSignedBytes) {
  struct Case {
    const char *Meaning;
    const CHAR8 *First;
    const CHAR8 *Second;
    INTN Expected;
  };
  const Case Cases[] = {
      {"abc against abd", "abc", "abd", 'c' - 'd'},
      {"abc against ab: c against the terminator", "abc", "ab", 99},
      {"ab against abc", "ab", "abc", -99},
      {"two empty strings", "", "", 0},
      {"equal strings", "hash", "hash", 0},
      {"0x80 counts as negative against a", "\x80", "a", -225},
      {"0xFF against 0x01", "\xFF", "\x01", -2},
  };
  for (const Case &C : Cases) {
    EXPECT_EQ(AsciiStrCompare(C.First, C.Second), C.Expected) << C.Meaning;
  }
}

// Measuring both strings first brings the size function's own tests to the comparison.
TEST(AsciiStrCompare, MeasuresBothStringsWhenAssertionsAreEnabled) {
  AssertionsEnabled On;
  const UINT32 SavedBound = PcdMaximumAsciiStringLength;
  PcdMaximumAsciiStringLength = 3;
  EXPECT_EQ(AsciiStrCompare("abc", "abcd"), -'d');
  PcdMaximumAsciiStringLength = SavedBound;
  ASSERT_EQ(RecordedAssertions().size(), 1U);
  EXPECT_EQ(RecordedAssertions()[0].File, "MdePkg/Library/BaseLib/String");
}

TEST(AsciiStrCompare, MissingStringComparesAsEmpty) {
  EXPECT_EQ(AsciiStrCompare(NULL, "a"), -'a');
  EXPECT_EQ(AsciiStrCompare("a", NULL), 'a');
  EXPECT_EQ(AsciiStrCompare(NULL, NULL), 0);
}

TEST(LoadUnaligned, ReadsLittleEndianAtAnyOffset) {
  alignas(8) const UINT8 Bytes[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77,
                                      0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
  EXPECT_EQ(LoadUnaligned16(Bytes + 1), 0x2211);
  EXPECT_EQ(LoadUnaligned32(Bytes + 3), 0x66554433U);
  EXPECT_EQ(LoadUnaligned64(Bytes + 7), 0xEEDDCCBBAA998877ULL);
  EXPECT_EQ(LoadUnaligned64(Bytes), 0x7766554433221100ULL);
}

TEST(DivRemU64x32, QuotientAndRemainder) {
  struct Case {
    UINT64 Dividend;
    UINT32 Divisor;
    UINT64 Quotient;
    UINT32 Remainder;
  };
  const Case Cases[] = {
      {100, 7, 14, 2},
      {6, 7, 0, 6},
      {0xFFFFFFFFFFFFFFFFULL, 10, 0x1999999999999999ULL, 5},
      {0xFFFFFFFFFFFFFFFFULL, 0xFFFFFFFFU, 0x100000001ULL, 0},
      {0x123456789ULL, 1, 0x123456789ULL, 0},
  };
  for (const Case &C : Cases) {
    UINT32 Remainder = 0xDEADBEEF;
    EXPECT_EQ(DivRemU64x32(C.Dividend, C.Divisor, &Remainder), C.Quotient) << C.Dividend << " / " << C.Divisor;
    EXPECT_EQ(Remainder, C.Remainder) << C.Dividend << " / " << C.Divisor;
    EXPECT_EQ(DivRemU64x32(C.Dividend, C.Divisor, NULL), C.Quotient) << C.Dividend << " / " << C.Divisor;
  }
}

// A zero divisor would fault the processor; it gives the largest quotient and the dividend's
// low half as the remainder instead, with or without assertions.
TEST(DivRemU64x32, ZeroDivisorHasADefinedAnswer) {
  UINT32 Remainder = 0;
  EXPECT_EQ(DivRemU64x32(0x1234567890ULL, 0, &Remainder), 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(Remainder, 0x34567890U);
  AssertionsEnabled On;
  EXPECT_EQ(DivRemU64x32(5, 0, NULL), 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(RecordedAssertions().size(), 1U);
}

TEST(MulU64x32, KeepsTheLowSixtyFourBits) {
  EXPECT_EQ(MulU64x32(1ULL << 63, 2), 0ULL);
  EXPECT_EQ(MulU64x32(0x100000001ULL, 0xFFFFFFFFU), 0xFFFFFFFFFFFFFFFFULL);
  EXPECT_EQ(MulU64x32(3579545, 1000), 3579545000ULL);
  EXPECT_EQ(MulU64x32(0xFFFFFFFFFFFFFFFFULL, 0xFFFFFFFFU), 0xFFFFFFFF00000001ULL);
}

// Both halves of the counter are combined: the value lies between two reads of the counter
// taken around it.
TEST(ReadTimeStampCounter, CombinesBothHalves) {
  const UINT64 Before = __builtin_ia32_rdtsc();
  const UINT64 Value = ReadTimeStampCounter();
  const UINT64 After = __builtin_ia32_rdtsc();
  EXPECT_LE(Before, Value);
  EXPECT_LE(Value, After);
}

TEST(ProcessorControls, SpinPauseReturns) { SpinPause(); }

TEST(ProcessorControls, BreakToDebuggerRaisesOneBreakpointAndReturns) {
  EXPECT_EQ(CountBreakpoints([] { BreakToDebugger(); }), 1U);
}

TEST(ProcessorControls, HaltForeverDoesNotReturnOnItsOwn) {
  EXPECT_TRUE(StillRunningAfter(100, [] { HaltForever(); }));
}

}  // namespace
