// The guarded memory operations and the compiler's byte fill.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "AssertionRecorder.h"
#include "Library/BaseMemoryLib.h"

namespace {

constexpr UINTN kTopOfMemory = 0xFFFFFFFFFFFFFFFFULL;

std::string Text(const UINT8 *Bytes, size_t Length) { return std::string((const char *)Bytes, Length); }

bool DirectionFlagSet() {
  UINT64 Flags;
  asm volatile("pushfq\n\tpopq %0" : "=r"(Flags));
  return (Flags & (1U << 10)) != 0;
}

TEST(MemCopy, OverlapWithinTenLetters) {
  struct Case {
    const char *Meaning;
    size_t From;
    size_t To;
    const char *Expected;
  };
  const Case Cases[] = {
      {"destination one after source copies backwards", 0, 1, "AABCDEFGHI"},
      {"destination one before source copies forwards", 1, 0, "BCDEFGHIJJ"},
  };
  for (const Case &C : Cases) {
    UINT8 Buffer[10];
    std::memcpy(Buffer, "ABCDEFGHIJ", 10);
    EXPECT_EQ(MemCopy(Buffer + C.To, Buffer + C.From, 9), Buffer + C.To) << C.Meaning;
    EXPECT_EQ(Text(Buffer, 10), C.Expected) << C.Meaning;
    EXPECT_FALSE(DirectionFlagSet()) << C.Meaning;
  }
}

// Every placement of source and destination in one buffer, against a reference move: the
// eight-byte units, the byte tail and both directions, overlapping or not.
TEST(MemCopy, MatchesReferenceMoveForEveryPlacement) {
  constexpr size_t kSize = 48;
  for (size_t Length : {1, 7, 8, 9, 16, 17, 23}) {
    for (size_t From = 0; From + Length <= kSize; From += 3) {
      for (size_t To = 0; To + Length <= kSize; To++) {
        UINT8 Actual[kSize];
        UINT8 Expected[kSize];
        for (size_t I = 0; I < kSize; I++) {
          Actual[I] = Expected[I] = (UINT8)(I * 7 + 1);
        }
        std::memmove(Expected + To, Expected + From, Length);
        MemCopy(Actual + To, Actual + From, Length);
        ASSERT_EQ(Text(Actual, kSize), Text(Expected, kSize))
            << "length " << Length << " from " << From << " to " << To;
      }
    }
  }
  EXPECT_FALSE(DirectionFlagSet());
}

TEST(MemCopy, SixteenBytesToOneBeforeSourceCopiesForwards) {
  UINT8 Buffer[17];
  for (UINT8 I = 0; I < 17; I++) {
    Buffer[I] = (UINT8)('a' + I);
  }
  MemCopy(Buffer, Buffer + 1, 16);
  EXPECT_EQ(Text(Buffer, 17), "bcdefghijklmnopqq");
}

TEST(MemCopy, EqualPointersReturnTheDestination) {
  UINT8 Buffer[4] = {1, 2, 3, 4};
  EXPECT_EQ(MemCopy(Buffer, Buffer, 4), Buffer);
  EXPECT_EQ(Text(Buffer, 4), Text((const UINT8 *)"\x01\x02\x03\x04", 4));
}

// A zero length returns at once for every operation, before any test, so NULL pointers and
// ranges at the top of the address space raise no report and nothing is touched.
TEST(ZeroLength, ReturnsAtOnceWithoutReport) {
  AssertionsEnabled On;
  VOID *const Top = (VOID *)kTopOfMemory;
  EXPECT_EQ(MemSet(NULL, 0, 0xAA), nullptr);
  EXPECT_EQ(MemSet(Top, 0, 0xAA), Top);
  EXPECT_EQ(MemCopy(NULL, NULL, 0), nullptr);
  EXPECT_EQ(MemCopy(Top, NULL, 0), Top);
  EXPECT_EQ(MemZero(NULL, 0), nullptr);
  EXPECT_EQ(MemCompare(NULL, NULL, 0), 0);
  EXPECT_EQ(MemCompare(Top, NULL, 0), 0);
  EXPECT_EQ(MemScan8(NULL, 0, 0), nullptr);
  EXPECT_TRUE(RecordedAssertions().empty());
}

TEST(MemCompare, ResultIsTheFirstDifferenceAsUnsignedBytes) {
  struct Case {
    const char *Meaning;
    std::array<UINT8, 6> Destination;
    std::array<UINT8, 6> Source;
    UINTN Length;
    INTN Expected;
  };
  const Case Cases[] = {
      {"0x01 against 0xFF", {0x01}, {0xFF}, 1, -254},
      {"0xFF against 0x01", {0xFF}, {0x01}, 1, 254},
      {"equal ranges", {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 6}, 6, 0},
      {"first of two differences wins", {9, 2, 3, 4, 5, 0}, {1, 2, 3, 4, 5, 6}, 6, 8},
      {"difference in the last byte", {1, 2, 3, 4, 5, 0}, {1, 2, 3, 4, 5, 6}, 6, -6},
      {"difference past the length is not seen", {1, 2, 3, 4, 5, 0}, {1, 2, 3, 4, 5, 6}, 5, 0},
      {"zero length", {1}, {2}, 0, 0},
  };
  for (const Case &C : Cases) {
    EXPECT_EQ(MemCompare(C.Destination.data(), C.Source.data(), C.Length), C.Expected) << C.Meaning;
  }
}

TEST(MemScan8, FindsTheFirstMatch) {
  const UINT8 Bytes[6] = {'a', 'b', 'c', 'a', 'b', 'c'};
  struct Case {
    const char *Meaning;
    UINTN Length;
    UINT8 Value;
    const UINT8 *Expected;
  };
  const Case Cases[] = {
      {"first of two matches", 6, 'c', Bytes + 2},
      {"match at offset 0", 6, 'a', Bytes},
      {"only match in the last byte", 3, 'c', Bytes + 2},
      {"no match", 6, 'z', nullptr},
      {"match just past the length", 2, 'c', nullptr},
      {"zero length", 0, 'a', nullptr},
  };
  for (const Case &C : Cases) {
    EXPECT_EQ(MemScan8(Bytes, C.Length, C.Value), C.Expected) << C.Meaning;
  }
}

// Exactly Length bytes are cleared, whatever the alignment: the eight-byte units and the
// byte tail together, nothing before the buffer and nothing after it.
TEST(MemZero, ClearsExactlyLengthBytes) {
  for (size_t Offset : {0, 1, 5}) {
    for (size_t Length = 0; Length <= 24; Length++) {
      UINT8 Buffer[32];
      std::memset(Buffer, 0xEE, sizeof(Buffer));
      EXPECT_EQ(MemZero(Buffer + Offset, Length), Buffer + Offset);
      for (size_t I = 0; I < sizeof(Buffer); I++) {
        const bool Inside = I >= Offset && I < Offset + Length;
        ASSERT_EQ(Buffer[I], Inside ? 0x00 : 0xEE) << "offset " << Offset << " length " << Length << " byte " << I;
      }
    }
  }
}

TEST(MemZero, ThirteenBytesLeaveTheFourteenth) {
  UINT8 Buffer[14];
  std::memset(Buffer, 0x77, sizeof(Buffer));
  MemZero(Buffer, 13);
  EXPECT_EQ(Text(Buffer, 14), std::string(13, '\0') + "\x77");
}

TEST(MemSet, FillsExactlyLengthBytes) {
  UINT8 Buffer[12];
  std::memset(Buffer, 0, sizeof(Buffer));
  EXPECT_EQ(MemSet(Buffer + 1, 10, 0xC3), Buffer + 1);
  EXPECT_EQ(Text(Buffer, 12), std::string("\0", 1) + std::string(10, '\xC3') + std::string("\0", 1));
}

TEST(RuntimeByteFill, StoresTheLowByteCountTimes) {
  UINT8 Buffer[8];
  std::memset(Buffer, 0x11, sizeof(Buffer));
  EXPECT_EQ(RuntimeByteFill(Buffer, 0x1234, 0), Buffer);
  EXPECT_EQ(Text(Buffer, 8), std::string(8, '\x11'));
  EXPECT_EQ(RuntimeByteFill(Buffer + 2, 0x1234, 5), Buffer + 2);
  EXPECT_EQ(Text(Buffer, 8), "\x11\x11\x34\x34\x34\x34\x34\x11");
}

}  // namespace
