// The string length and size functions and their length bounds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AssertionRecorder.h"
#include "Library/BaseLib.h"
#include "Library/PrintLib.h"

namespace {

// Sets both length bounds for the life of the object.
class LengthBounds {
 public:
  LengthBounds(UINT32 Ascii, UINT32 Unicode)
      : SavedAscii(PcdMaximumAsciiStringLength), SavedUnicode(PcdMaximumUnicodeStringLength) {
    PcdMaximumAsciiStringLength = Ascii;
    PcdMaximumUnicodeStringLength = Unicode;
  }
  ~LengthBounds() {
    PcdMaximumAsciiStringLength = SavedAscii;
    PcdMaximumUnicodeStringLength = SavedUnicode;
  }

 private:
  UINT32 SavedAscii;
  UINT32 SavedUnicode;
};

const RecordedAssertion kAsciiBeyondBound = {"MdePkg/Library/BaseLib/String", 1224,
                                             "Length < _gPcd_FixedAtBuild_PcdMaximumAsciiStringLength"};
const RecordedAssertion kUnicodeBeyondBound = {"MdePkg/Library/BaseLib/String", 181,
                                               "Length < _gPcd_FixedAtBuild_PcdMaximumUnicodeStringLength"};

TEST(StringLength, LengthsAndSizes) {
  EXPECT_EQ(AsciiStrLength(""), 0u);
  EXPECT_EQ(AsciiStrSize(""), 1u);
  EXPECT_EQ(AsciiStrLength("abc"), 3u);
  EXPECT_EQ(AsciiStrSize("abc"), 4u);
  EXPECT_EQ(StrLength(u""), 0u);
  EXPECT_EQ(StrSize(u""), 2u);
  EXPECT_EQ(StrLength(u"abc"), 3u);
  EXPECT_EQ(StrSize(u"abc"), 8u);
}

TEST(StringLength, BoundReportsEveryCharacterBeyondItAndMeasuresInFull) {
  AssertionsEnabled Enabled;
  LengthBounds Bounds(3, 3);
  EXPECT_EQ(AsciiStrLength("abc"), 3u);
  EXPECT_EQ(StrLength(u"abc"), 3u);
  EXPECT_TRUE(RecordedAssertions().empty());

  EXPECT_EQ(AsciiStrLength("abcde"), 5u);
  EXPECT_EQ(RecordedAssertions(), std::vector<RecordedAssertion>(2, kAsciiBeyondBound));
  ClearRecordedAssertions();
  EXPECT_EQ(StrSize(u"abcde"), 12u);
  EXPECT_EQ(RecordedAssertions(), std::vector<RecordedAssertion>(2, kUnicodeBeyondBound));
}

TEST(StringLength, BoundIsNotTestedWithAssertionsOff) {
  ClearRecordedAssertions();
  LengthBounds Bounds(3, 3);
  EXPECT_EQ(AsciiStrSize("abcde"), 6u);
  EXPECT_EQ(StrLength(u"abcde"), 5u);
  EXPECT_TRUE(RecordedAssertions().empty());
}

TEST(StringLength, NullIsReportedAndMeasuresEmpty) {
  AssertionsEnabled Enabled;
  EXPECT_EQ(AsciiStrLength(NULL), 0u);
  EXPECT_EQ(StrSize(NULL), 2u);
  const std::vector<RecordedAssertion> Expected = {{"MdePkg/Library/BaseLib/String", 1216, "String != ((void *) 0)"},
                                                   {"MdePkg/Library/BaseLib/String", 170, "String != ((void *) 0)"}};
  EXPECT_EQ(RecordedAssertions(), Expected);
}

// Only the format and the finished output pass through the bounded functions; the engine
// measures its string arguments itself.
TEST(StringLength, PrintEngineMeasuresFormatAndOutputOnly) {
  AssertionsEnabled Enabled;
  LengthBounds Bounds(4, 4);
  CHAR8 Buffer[32];
  EXPECT_EQ(FormatAscii(Buffer, sizeof(Buffer), "%a", (UINT64)(UINTN) "abcdef"), 6u);
  EXPECT_STREQ(Buffer, "abcdef");
  // The output has 6 characters: Length 4 and 5 are beyond the bound; the 2-character format
  // and the 6-character argument report nothing themselves.
  EXPECT_EQ(RecordedAssertions(), std::vector<RecordedAssertion>(2, kAsciiBeyondBound));
}

}  // namespace
