// SetJump and LongJump: the first return gives 0, the resumed one the LongJump value, with
// every register of the jump context as it was at SetJump; and their argument checks.
#include <gtest/gtest.h>

#include <cstdint>

#include "AssertionRecorder.h"
#include "Library/BaseLib.h"
#include "Library/DebugLib.h"

extern "C" void JumpRoundTrip(JUMP_CONTEXT *Context, std::uint64_t *Seen);
extern "C" VOID EFIAPI CheckJumpBuffer(JUMP_CONTEXT *JumpBuffer);
extern "C" VOID EFIAPI CheckLongJumpValue(UINTN Value);

namespace {

TEST(JumpContext, ResumesWithEveryPreservedRegister) {
  alignas(16) JUMP_CONTEXT Context{};
  std::uint64_t Seen[21] = {};
  JumpRoundTrip(&Context, Seen);
  EXPECT_EQ(Seen[0], 0u);
  EXPECT_EQ(Seen[1], 0xFFFFFFFFFFFFFFFFULL);
  const std::uint64_t Registers[] = {0x1111111111111111, 0x2222222222222222, 0x3333333333333333,
                                     0x4444444444444444, 0x5555555555555555, 0x6666666666666666,
                                     0x7777777777777777, 0x7878787878787878};
  const char *Names[] = {"RBX", "RBP", "RDI", "RSI", "R12", "R13", "R14", "R15"};
  for (int Index = 0; Index < 8; Index++) {
    EXPECT_EQ(Seen[2 + Index], Registers[Index]) << Names[Index];
  }
  EXPECT_EQ(Seen[10] & 0xFFFF, 0x1F80u | 0x6000u) << "MXCSR";
  for (int Index = 0; Index < 10; Index++) {
    EXPECT_EQ(Seen[11 + Index], 0x6060606060606060ULL + 0x0101010101010101ULL * Index) << "XMM" << 6 + Index;
  }
  // The context holds what was saved, field by field.
  EXPECT_EQ(Context.Rbx, 0x1111111111111111u);
  EXPECT_EQ(Context.R15, 0x7878787878787878u);
  EXPECT_EQ(Context.Mxcsr & 0xFFFFFFFF, 0x1F80u | 0x6000u);
}

TEST(JumpContext, ChecksItsArguments) {
  AssertionsEnabled Reports;
  alignas(8) UINT8 Storage[sizeof(JUMP_CONTEXT) + 8];
  CheckJumpBuffer(NULL);
  CheckJumpBuffer(reinterpret_cast<JUMP_CONTEXT *>(Storage + 4));
  CheckJumpBuffer(reinterpret_cast<JUMP_CONTEXT *>(Storage));
  CheckLongJumpValue(0);
  CheckLongJumpValue(1);
  // NULL passes the alignment test; only the misaligned buffer fails it.
  const std::vector<RecordedAssertion> Expected = {
      {"MdePkg/Library/BaseLib/SetJump", 37, "JumpBuffer != ((void *) 0)"},
      {"MdePkg/Library/BaseLib/SetJump", 39, "((UINTN)JumpBuffer & (8 - 1)) == 0"},
      {"MdePkg/Library/BaseLib/LongJump", 44, "Value != 0"},
  };
  EXPECT_EQ(RecordedAssertions(), Expected);
}

}  // namespace

namespace {

// The stack probe touches every page of a frame below the stack pointer and gives every
// register back as it found it.
TEST(StackProbe, TouchesTheFrameAndPreservesRegisters) {
  std::uint64_t RaxAfter = 0, RcxAfter = 0, RspBefore = 0, RspAfter = 0;
  asm volatile(
      "sub $128, %%rsp\n\t"  // clear of the red zone
      "mov %%rsp, %2\n\t"
      "mov $0x5432, %%rax\n\t"
      "mov $0x1234, %%rcx\n\t"
      "call __chkstk\n\t"
      "mov %%rax, %0\n\t"
      "mov %%rcx, %1\n\t"
      "mov %%rsp, %3\n\t"
      "add $128, %%rsp\n\t"
      : "=r"(RaxAfter), "=r"(RcxAfter), "=r"(RspBefore), "=r"(RspAfter)
      :
      : "rax", "rcx", "memory");
  EXPECT_EQ(RaxAfter, 0x5432u);
  EXPECT_EQ(RcxAfter, 0x1234u);
  EXPECT_EQ(RspBefore, RspAfter);
}

}  // namespace
