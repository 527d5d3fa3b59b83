// The print engine: conversions, padding, line ends and the special texts through
// FormatAscii; then buffer sizes, the assertion sites, and the UCS-2 and counting modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "AssertionRecorder.h"
#include "Library/PrintLib.h"
#include "PrintLibInternal.h"
#include "Uefi.h"

namespace {

const EFI_GUID kProtocolGuid = {0xBD13DB46, 0x0087, 0x4A05, {0xA0, 0x4A, 0x08, 0x6C, 0xED, 0xA3, 0xB7, 0xD4}};
const EFI_TIME kTime = {2015, 12, 1, 8, 7, 59, 0, 0, 0, 0, 0};
const CHAR16 kWide[] = u"wide";

UINT64 Slot(const void *Pointer) { return (UINT64)(UINTN)Pointer; }

struct FormatCase {
  const char *Name;
  const CHAR8 *Format;
  UINT64 Argument;  // one 64-bit slot; ignored by formats that take none
  const char *Expected;
};

// Blanks are spelled out as "_" in the expected texts to keep them readable.
std::string Blanks(const char *Text) {
  std::string Result(Text);
  for (char &Character : Result) {
    if (Character == '_') {
      Character = ' ';
    }
  }
  return Result;
}

const FormatCase kFormatCases[] = {
    {"WidthPadsLeft", "%5d", 42, "___42"},
    {"ZeroFlagFillsWidth", "%05d", 42, "00042"},
    {"MinusPadsRight", "%-5d|", 42, "42___|"},
    {"ZeroFillKeepsSignFirst", "%05d", (UINT64)-42, "-0042"},
    {"PlusSign", "%+d", 42, "+42"},
    {"SpaceSign", "% d", 42, "_42"},
    {"PlusWinsOverSpace", "% +d", 42, "+42"},
    {"PrecisionIsMinimumDigits", "%.5d", 42, "00042"},
    {"WidthAndPrecision", "%5.3d", 42, "__042"},
    {"ZeroPrecisionZeroValueIsEmpty", "%.0d", 0, ""},
    {"ZeroPrecisionZeroValueKeepsSign", "%+.0d", 0, "+"},
    {"DecimalReadsLow32BitsSigned", "%d", 0xFFFFFFFF, "-1"},
    {"DecimalIgnoresHigh32Bits", "%d", 0x1234567800000007ULL, "7"},
    {"WideDecimal", "%ld", 0x100000000ULL, "4294967296"},
    {"MostNegativeWide", "%ld", 0x8000000000000000ULL, "-9223372036854775808"},
    {"HexUpperCase", "%x", 255, "FF"},
    {"HexWidthBlanks", "%8x", 255, "______FF"},
    {"UpperXZeroFills", "%8X", 255, "000000FF"},
    {"UpperXWithoutWidth", "%X", 255, "FF"},
    {"HexTakesSign", "%+x", 255, "+FF"},
    {"HexIsUnsigned32", "%x", (UINT64)-1, "FFFFFFFF"},
    {"WideHex", "%lx", (UINT64)-1, "FFFFFFFFFFFFFFFF"},
    {"UpperLIsWide", "%Lx", 0x123456789ULL, "123456789"},
    {"Pointer", "%p", 0x3F8, "3F8"},
    {"PointerIgnoresSign", "%+p", 0x3F8, "3F8"},
    {"PointerWidthZeroFills", "%8p", 0x3F8, "000003F8"},
    {"GroupedThousands", "%,d", 65536, "65,536"},
    {"GroupedNegative", "%,d", (UINT64)-1234, "-1,234"},
    {"GroupedThreeDigitsNoComma", "%,d", 999, "999"},
    {"GroupedMillions", "%,d", 1234567, "1,234,567"},
    {"GroupedIgnoresZeroFlag", "%0,8d", 1234, "___1,234"},
    {"GroupedIgnoresPrecision", "%,.6d", 42, "42"},
    {"GroupingOffForHex", "%,x", 0xFFFF, "FFFF"},
    {"ZeroDigitAfterDotIsPrecision", "%.05d", 7, "00007"},
    {"AsciiString", "%a", Slot("text"), "text"},
    {"NullAsciiString", "%a", 0, "<null string>"},
    {"PrecisionCutsString", "%.3a", Slot("hello"), "hel"},
    {"PrecisionIsMinimumForText", "%.10a", Slot("hi"), "________hi"},
    {"LeftWidthString", "%-10a", Slot("hi"), "hi________"},
    {"WidthString", "%5a", Slot("hi"), "___hi"},
    {"WideString", "%s", Slot(kWide), "wide"},
    {"UpperSIsWide", "%S", Slot(kWide), "wide"},
    {"NullWideString", "%s", 0, "<null string>"},
    {"Character", "%c", 0x41, "A"},
    {"CharacterKeepsLow16Bits", "%c", 0xFFFF0042, "B"},
    {"NulCharacterIsOneBlank", "%c", 0, "_"},
    {"PercentPercent", "%%", 0, "%"},
    {"UnknownConversionIsItself", "%q", 0, "q"},
    {"WidthAppliesToLiteral", "%5%", 0, "____%"},
    {"LonePercentAtEnd", "ab%", 0, "ab"},
    {"LonePercentAtEndKeepsWidth", "ab%3", 0, "ab___"},
    {"LineFeedBecomesCrLf", "a\nb", 0, "a\r\nb"},
    {"LfCrIsOneLineEnd", "a\n\rb", 0, "a\r\nb"},
    {"CrLfIsOneLineEnd", "a\r\nb", 0, "a\r\nb"},
    {"LoneCrStays", "a\rb", 0, "a\rb"},
    {"PercentLineFeed", "a%\nb", 0, "a\r\nb"},
    {"StatusSuccess", "%r", EFI_SUCCESS, "Success"},
    {"StatusWarning", "%r", EFI_WARN_BUFFER_TOO_SMALL, "Warning Buffer Too Small"},
    {"StatusInvalidParameter", "%r", EFI_INVALID_PARAMETER, "Invalid Parameter"},
    {"StatusOutOfResources", "%r", EFI_OUT_OF_RESOURCES, "Out of Resources"},
    {"StatusLastNamedError", "%r", EFI_PROTOCOL_ERROR, "Protocol Error"},
    {"StatusUnnamedError", "%r", 0x8000000000000019ULL, "00000019"},
    {"StatusUnnamedWarning", "%r", 5, "00000005"},
    {"StatusErrorBitAlone", "%r", 0x8000000000000000ULL, "00000000"},
    {"StatusUnnamedPrintsLow32Bits", "%r", 0x123456789ULL, "23456789"},
    {"StatusWidth", "%12r", EFI_SUCCESS, "_____Success"},
    {"Guid", "%g", Slot(&kProtocolGuid), "BD13DB46-0087-4A05-A04A-086CEDA3B7D4"},
    {"NullGuid", "%g", 0, "<null guid>"},
    {"Time", "%t", Slot(&kTime), "12/01/2015__08:07"},
    {"NullTime", "%t", 0, "<null time>"},
};

void PrintTo(const FormatCase &Case, std::ostream *Stream) { *Stream << Case.Name; }

class FormatTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, FormatsAsExpected) {
  const FormatCase &Case = GetParam();
  CHAR8 Buffer[128];
  memset(Buffer, 'Z', sizeof(Buffer));
  const UINTN Written = FormatAscii(Buffer, sizeof(Buffer), Case.Format, Case.Argument);
  const std::string Expected = Blanks(Case.Expected);
  EXPECT_EQ(std::string(Buffer), Expected);
  EXPECT_EQ(Written, Expected.size());
}

INSTANTIATE_TEST_SUITE_P(Conversions, FormatTable, ::testing::ValuesIn(kFormatCases),
                         [](const ::testing::TestParamInfo<FormatCase> &Info) { return std::string(Info.param.Name); });

TEST(FormatArguments, EveryArgumentIsOne64BitSlotInOrder) {
  CHAR8 Buffer[128];
  const UINTN Written = FormatAscii(Buffer, sizeof(Buffer), "%d|%*.*d|%a|%c|%lx", (UINT64)-5, (UINT64)6, (UINT64)3,
                                    (UINT64)7, Slot("s"), (UINT64)'c', 0xAB00000000000000ULL);
  EXPECT_STREQ(Buffer, "-5|   007|s|c|AB00000000000000");
  EXPECT_EQ(Written, strlen(Buffer));
}

// Buffer sizes. The buffer carries a guard byte pattern so that a write past BufferSize shows.
struct SizeCase {
  const char *Name;
  UINTN BufferSize;
  const CHAR8 *Format;
  const char *Expected;  // the buffer's first BufferSize bytes, NUL included
  UINTN Written;
};

const SizeCase kSizeCases[] = {
    {"OneHoldsOnlyTheNul", 1, "abc", "", 0},
    {"CutKeepsRoomForNul", 4, "abcdef", "abc", 3},
    {"LineEndCutAfterCr", 3, "a\n", "a\r", 2},
    {"NumberCutMidway", 3, "%d", "12", 2},
    {"PaddingCut", 4, "%8d", "   ", 3},
    {"ExactFit", 4, "abc", "abc", 3},
};

void PrintTo(const SizeCase &Case, std::ostream *Stream) { *Stream << Case.Name; }

class SizeTable : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTable, CutsAndTerminates) {
  const SizeCase &Case = GetParam();
  CHAR8 Buffer[16];
  memset(Buffer, 'Z', sizeof(Buffer));
  EXPECT_EQ(FormatAscii(Buffer, Case.BufferSize, Case.Format, (UINT64)12345), Case.Written);
  EXPECT_EQ(std::string(Buffer), Case.Expected);
  for (UINTN Index = Case.BufferSize; Index < sizeof(Buffer); Index++) {
    EXPECT_EQ(Buffer[Index], 'Z') << "byte " << Index << " beyond the buffer was written";
  }
}

INSTANTIATE_TEST_SUITE_P(BufferSizes, SizeTable, ::testing::ValuesIn(kSizeCases),
                         [](const ::testing::TestParamInfo<SizeCase> &Info) { return std::string(Info.param.Name); });

TEST(FormatBufferSize, ZeroTouchesNothingAndReadsNoFormat) {
  AssertionsEnabled Enabled;
  CHAR8 Buffer[4] = {'Z', 'Z', 'Z', 'Z'};
  EXPECT_EQ(FormatAscii(Buffer, 0, NULL), 0u);  // a NULL format would be reported if it were read
  EXPECT_EQ(memcmp(Buffer, "ZZZZ", 4), 0);
  EXPECT_TRUE(RecordedAssertions().empty());
}

TEST(FormatBufferSize, LongLineKeeps255CharactersIn256Bytes) {
  const std::string Long(300, 'x');
  CHAR8 Buffer[260];
  memset(Buffer, 'Z', sizeof(Buffer));
  EXPECT_EQ(FormatAscii(Buffer, 256, "ASSERT %a\n", Slot(Long.c_str())), 255u);
  EXPECT_EQ(std::string(Buffer), "ASSERT " + std::string(248, 'x'));
  EXPECT_EQ(Buffer[256], 'Z');
}

// The engine's own assertion sites, and what it does after a report instead of crashing.
TEST(FormatAssertions, NullBufferIsReportedAndNothingIsWritten) {
  AssertionsEnabled Enabled;
  EXPECT_EQ(FormatAscii(NULL, 8, "abc"), 0u);
  const std::vector<RecordedAssertion> Expected = {
      {"MdePkg/Library/BasePrintLib/PrintLibInternal", 356, "Buffer != ((void *) 0)"}};
  EXPECT_EQ(RecordedAssertions(), Expected);
}

TEST(FormatAssertions, NullFormatIsReportedAndFormatsAsEmpty) {
  AssertionsEnabled Enabled;
  CHAR8 Buffer[4] = {'Z', 'Z', 'Z', 'Z'};
  EXPECT_EQ(FormatAscii(Buffer, sizeof(Buffer), NULL), 0u);
  EXPECT_EQ(Buffer[0], '\0');
  const std::vector<RecordedAssertion> Expected = {{"MdePkg/Library/BaseLib/String", 1216, "String != ((void *) 0)"}};
  EXPECT_EQ(RecordedAssertions(), Expected);
}

TEST(FormatAssertions, NullArgumentsWithAssertionsOffDoNotCrash) {
  ClearRecordedAssertions();
  CHAR8 Buffer[4] = {'Z', 'Z', 'Z', 'Z'};
  EXPECT_EQ(FormatAscii(NULL, 8, "abc"), 0u);
  EXPECT_EQ(FormatAscii(Buffer, sizeof(Buffer), NULL), 0u);
  EXPECT_EQ(Buffer[0], '\0');
  EXPECT_TRUE(RecordedAssertions().empty());
}

// The modes that no caller in the module uses, through the engine itself.
TEST(FormatModes, Ucs2OutputWritesSixteenBitUnits) {
  CHAR16 Buffer[16];
  const UINTN Written = FormatNested((CHAR8 *)Buffer, 16, FMT_OUT_UCS2, "%a%d\n%s", Slot("a"), (UINT64)42, Slot(kWide));
  EXPECT_EQ(std::u16string(Buffer), u"a42\r\nwide");
  EXPECT_EQ(Written, 9u);
}

TEST(FormatModes, Ucs2OutputCutCountsCharacters) {
  CHAR16 Buffer[8];
  std::fill(std::begin(Buffer), std::end(Buffer), u'Z');
  EXPECT_EQ(FormatNested((CHAR8 *)Buffer, 3, FMT_OUT_UCS2, "abc"), 2u);
  EXPECT_EQ(std::u16string(Buffer), u"ab");
  EXPECT_EQ(Buffer[3], u'Z');
}

TEST(FormatModes, Ucs2FormatIsReadInSixteenBitUnits) {
  CHAR8 Buffer[32];
  const CHAR16 Format[] = u"x=%x \x263A";  // the last unit keeps only its low byte in ASCII output
  EXPECT_EQ(FormatNested(Buffer, sizeof(Buffer), FMT_IN_UCS2, (const CHAR8 *)Format, (UINT64)255), 6u);
  EXPECT_STREQ(Buffer, "x=FF :");
}

TEST(FormatModes, Ucs2InAndOut) {
  CHAR16 Buffer[16];
  const CHAR16 Format[] = u"\x263A%c\n";
  EXPECT_EQ(FormatNested((CHAR8 *)Buffer, 16, FMT_IN_UCS2 | FMT_OUT_UCS2, (const CHAR8 *)Format, (UINT64)0x263B), 4u);
  EXPECT_EQ(std::u16string(Buffer), u"\x263A\x263B\r\n");
}

TEST(FormatModes, CountOnlyCountsEverythingAndWritesNothing) {
  CHAR8 Buffer[4] = {'Z', 'Z', 'Z', 'Z'};
  // Padding, sign, zeros and commas count as characters; the size does not limit the walk.
  EXPECT_EQ(FormatNested(Buffer, 4, FMT_COUNT_ONLY, "%8d|%+,d|%.4a\n", (UINT64)1, (UINT64)1234567, Slot("abcdefg")),
            8u + 1 + 10 + 1 + 4 + 2);
  EXPECT_EQ(memcmp(Buffer, "ZZZZ", 4), 0);
  EXPECT_EQ(FormatNested(NULL, 0, FMT_COUNT_ONLY, "abcdef"), 6u);
  EXPECT_EQ(FormatNested(Buffer, 1, FMT_COUNT_ONLY, "abcdef"), 0u);
  EXPECT_EQ(FormatNested(NULL, 0, FMT_COUNT_ONLY, "%-5d|%-3a", (UINT64)-1, Slot("abcd")), 5u + 1 + 4);
}

TEST(FormatHelpers, FillCharsStopsAtEndAndWritesLowByteFirst) {
  CHAR8 Buffer[8];
  memset(Buffer, 'Z', sizeof(Buffer));
  EXPECT_EQ(FillChars(Buffer, Buffer + 3, 5, '-', 1), Buffer + 3);
  EXPECT_EQ(std::string(Buffer, 4), "---Z");
  EXPECT_EQ(FillChars(Buffer, Buffer + 3, -2, '+', 1), Buffer);
  EXPECT_EQ(FillChars(Buffer, Buffer + 8, 2, 0x263A, 2), Buffer + 4);
  EXPECT_EQ(memcmp(Buffer, "\x3A\x26\x3A\x26", 4), 0);
}

TEST(FormatHelpers, ValueToDigitsStoresLeastSignificantFirst) {
  CHAR8 Buffer[FMT_SCRATCH_SIZE];
  const CHAR8 *Top = ValueToDigits(Buffer, 0xFFFFFFFFFFFFFFFFULL, 10);
  EXPECT_EQ(Top - Buffer, 20);
  EXPECT_EQ(Buffer[0], '\0');
  EXPECT_EQ(std::string(Buffer + 1, 20), "51615590737044764481");  // 18446744073709551615 reversed
  Top = ValueToDigits(Buffer, 0, 16);
  EXPECT_EQ(Top, Buffer + 1);
  EXPECT_EQ(Buffer[1], '0');
  Top = ValueToDigits(Buffer, 0xABCDEF, 16);
  EXPECT_EQ(std::string(Buffer + 1, 6), "FEDCBA");
}

}  // namespace
