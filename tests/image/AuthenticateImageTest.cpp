// AuthenticateImage of the real image, called through the SMST as another SMM driver calls
// it. After every call, on every path: the call returned, the SMM pool is back to its
// after-load state, and no fault was raised (the caller's buffers are read-only pages, so a
// write to either would be one).
#include <gtest/gtest.h>

#include <string>

#include "ImageFixture.h"
#include "Protocol/SmmImageAuthentication.h"

using namespace vorq::emu;

namespace {

const EFI_STATUS kSuccess = EFI_SUCCESS;
const EFI_STATUS kViolation = EFI_SECURITY_VIOLATION;
const EFI_STATUS kNoMemory = EFI_OUT_OF_RESOURCES;

Bytes Payload(std::size_t Size) {
  Bytes Data(Size);
  for (std::size_t Index = 0; Index < Size; Index++) Data[Index] = static_cast<std::uint8_t>(Index * 7 + 3);
  return Data;
}

Bytes Flipped(Bytes Value, std::size_t Byte, int Bit) {
  Value[Byte] ^= static_cast<std::uint8_t>(1u << Bit);
  return Value;
}

struct Case {
  std::string Name;
  CheckerMode Checker;
  Bytes Data;
  Bytes Signature;
  EFI_STATUS Expected;
  std::vector<std::uint64_t> CheckerLengths;  // the lengths the checker is asked about, in order
};

std::vector<Case> Cases() {
  const TestSigner &Signer = TestImageSigner();
  const Bytes Data = Payload(4096);
  const Bytes Valid = Signer.SignSha256(Data);
  const Bytes Empty;
  const Bytes Null = {0x05, 0x00};
  const std::vector<std::uint64_t> Both = {4096, 256};

  std::vector<Case> Rows = {
      {"valid signature", CheckerMode::Policy, Data, Valid, kSuccess, Both},
      {"signature of 255 bytes", CheckerMode::Policy, Data, Bytes(Valid.begin(), Valid.end() - 1), kViolation, {}},
      {"signature of 257 bytes", CheckerMode::Policy, Data, Append(Valid, {0x00}), kViolation, {}},
      {"checker refuses the data", CheckerMode::RefuseData, Data, Valid, kViolation, {4096}},
      {"checker refuses the signature", CheckerMode::RefuseSignature, Data, Valid, kViolation, Both},
      {"checker answers 2", CheckerMode::Answer2, Data, Valid, kSuccess, Both},
      {"no checker installed", CheckerMode::Absent, Data, Valid, kViolation, {}},
      {"empty data, valid signature", CheckerMode::Policy, Empty, Signer.SignSha256(Empty), kSuccess, {0, 256}},
      {"signature over other data", CheckerMode::Policy, Data, Signer.SignSha256(Payload(4095)), kViolation, Both},
      {"digest info without parameters", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(DigestInfo(kSha256Oid, {}, Sha256Of(Data))), kSuccess, Both},
      {"digest info with other parameters", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(DigestInfo(kSha256Oid, {0x02, 0x01, 0x01}, Sha256Of(Data))), kViolation, Both},
      {"digest info followed by a byte", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(Append(DigestInfo(kSha256Oid, Null, Sha256Of(Data)), {0x00})), kViolation, Both},
      {"digest info naming SHA-1", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(DigestInfo(kSha1Oid, Null, Sha1Of(Data))), kViolation, Both},
      {"digest info naming MD5", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(DigestInfo(kMd5Oid, Null, Md5Of(Data))), kViolation, Both},
      {"SHA-1 identifier over the SHA-256 digest", CheckerMode::Policy, Data,
       Signer.SignBlockPayload(DigestInfo(kSha1Oid, Null, Sha256Of(Data))), kViolation, Both},
      {"signature by another key", CheckerMode::Policy, Data, TestSigner().SignSha256(Data), kViolation, Both},
  };
  // Every single-bit flip class: the first, a middle and the last byte of each buffer, every
  // bit of the end bytes (the signature's top bits can push it above the modulus).
  for (std::size_t Byte : {std::size_t{0}, std::size_t{2048}, std::size_t{4095}}) {
    for (int Bit = 0; Bit < 8; Bit++) {
      if (Byte == 2048 && Bit != 5) continue;
      Rows.push_back({"data byte " + std::to_string(Byte) + " bit " + std::to_string(Bit), CheckerMode::Policy,
                      Flipped(Data, Byte, Bit), Valid, kViolation, Both});
    }
  }
  for (std::size_t Byte : {std::size_t{0}, std::size_t{128}, std::size_t{255}}) {
    for (int Bit = 0; Bit < 8; Bit++) {
      if (Byte == 128 && Bit != 2) continue;
      Rows.push_back({"signature byte " + std::to_string(Byte) + " bit " + std::to_string(Bit), CheckerMode::Policy,
                      Data, Flipped(Valid, Byte, Bit), kViolation, Both});
    }
  }
  return Rows;
}

TEST(AuthenticateImage, TableOfCalls) {
  for (const Case &Row : Cases()) {
    SCOPED_TRACE(Row.Name);
    EmulatorOptions Options = BoardOptions();
    Options.platform.checker = Row.Checker;
    // The same call twice gives the same status both times.
    const ImageRun Run = RunImage(VORQ_TEST_IMAGE, Options, {{Row.Data, Row.Signature}, {Row.Data, Row.Signature}});
    ASSERT_EQ(Run.Calls.size(), 2u);
    for (const CallOutcome &Call : Run.Calls) {
      ExpectCleanCall(Call);
      EXPECT_EQ(Call.status, Row.Expected) << Describe(Call);
      std::vector<std::uint64_t> Lengths;
      for (const auto &Asked : Call.checker_calls) Lengths.push_back(Asked.length);
      EXPECT_EQ(Lengths, Row.CheckerLengths);
    }
  }
}

// The data buffer is asked about first, with its own address and size.
TEST(AuthenticateImage, CheckerIsAskedAboutTheCallersBuffersInOrder) {
  const Bytes Data = Payload(100);
  const ImageRun Run = RunImage(VORQ_TEST_IMAGE, BoardOptions(), {{Data, TestImageSigner().SignSha256(Data)}});
  ASSERT_EQ(Run.Calls.size(), 1u);
  const CallOutcome &Call = Run.Calls[0];
  ASSERT_EQ(Call.checker_calls.size(), 2u);
  EXPECT_EQ(Call.checker_calls[0].length, 100u);
  EXPECT_EQ(Call.checker_calls[1].length, 256u);
  EXPECT_NE(Call.checker_calls[0].buffer, Call.checker_calls[1].buffer);
  EXPECT_EQ(Call.status, kSuccess);
}

// Without a checker the service fails closed before it allocates or reads anything.
TEST(AuthenticateImage, MissingCheckerAllocatesNothing) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.checker = CheckerMode::Absent;
  const Bytes Data = Payload(64);
  const ImageRun Run = RunImage(VORQ_TEST_IMAGE, Options, {{Data, TestImageSigner().SignSha256(Data)}});
  ASSERT_EQ(Run.Calls.size(), 1u);
  EXPECT_EQ(Run.Calls[0].status, kViolation);
  EXPECT_EQ(Run.Calls[0].smm_pool_peak_blocks, 0u);
}

TEST(AuthenticateImage, ExhaustedPoolAtTheHashContextIsOutOfResources) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.faults.fail_smm_nth_after_load = 1;
  const Bytes Data = Payload(64);
  std::uint64_t Allocations = 0;
  Emulator Board(Options);
  std::string Error;
  ASSERT_TRUE(Board.Start(&Error) && Board.LoadImageFile(VORQ_TEST_IMAGE, &Error)) << Error;
  ASSERT_EQ(Board.RunEntry().status, kSuccess);
  const CallOutcome Call = Board.Authenticate(Data, TestImageSigner().SignSha256(Data));
  Allocations = Board.ThePlatform().smm_allocations_in_phase;
  ExpectCleanCall(Call);
  EXPECT_EQ(Call.status, kNoMemory);
  // The hash context was the only allocation asked for: no RSA context was created.
  EXPECT_EQ(Allocations, 1u);
}

// Every point where an SMM allocation can fail inside one call gives one of the two failure
// statuses, leaks nothing and raises no fault.
TEST(AuthenticateImage, EveryAllocationFailureIsHandled) {
  const Bytes Data = Payload(4096);
  const Bytes Signature = TestImageSigner().SignSha256(Data);
  unsigned Points = 0;
  for (std::uint64_t Nth = 1; Nth < 400; Nth++) {
    SCOPED_TRACE("allocation " + std::to_string(Nth));
    EmulatorOptions Options = BoardOptions();
    Options.platform.faults.fail_smm_nth_after_load = Nth;
    const ImageRun Run = RunImage(VORQ_TEST_IMAGE, Options, {{Data, Signature}});
    ASSERT_EQ(Run.Calls.size(), 1u);
    const CallOutcome &Call = Run.Calls[0];
    ExpectCleanCall(Call);
    if (Call.status == kSuccess) {
      // Past the last allocation of the call: nothing failed.
      break;
    }
    EXPECT_TRUE(Call.status == kViolation || Call.status == kNoMemory) << Describe(Call);
    EXPECT_EQ(Call.status == kNoMemory, Nth == 1);
    Points++;
  }
  EXPECT_GT(Points, 10u);
  std::printf("allocation failure points in one call: %u\n", Points);
}

// Without the SMRAM map (its array could not be allocated at load) the service still works
// and every block goes back to the SMM pool it came from.
TEST(AuthenticateImage, WorksWithoutTheSmramMap) {
  EmulatorOptions Options = BoardOptions();
  Options.platform.faults.fail_smm_nth_during_load = 1;
  const Bytes Data = Payload(512);
  const ImageRun Run = RunImage(VORQ_TEST_IMAGE, Options, {{Data, TestImageSigner().SignSha256(Data)}});
  ASSERT_EQ(Run.Calls.size(), 1u);
  ExpectCleanCall(Run.Calls[0]);
  EXPECT_EQ(Run.Calls[0].status, kSuccess);
}

// Data NULL with a size of 1, which the checker lets through, is refused by the hash step.
TEST(AuthenticateImage, NullDataWithNonZeroSizeIsRefused) {
  Emulator Board(BoardOptions());
  std::string Error;
  ASSERT_TRUE(Board.Start(&Error) && Board.LoadImageFile(VORQ_TEST_IMAGE, &Error)) << Error;
  ASSERT_EQ(Board.RunEntry().status, kSuccess);
  const EFI_GUID Guid = SMM_IMAGE_AUTHENTICATION_PROTOCOL_GUID;
  void *Interface = nullptr;
  ASSERT_EQ(Board.LocateSmmProtocol(Guid, &Interface), kSuccess);
  const auto *Protocol = static_cast<const SMM_IMAGE_AUTHENTICATION_PROTOCOL *>(Interface);
  const Bytes Signature = TestImageSigner().SignSha256(Payload(1));
  Board.ThePlatform().EnterPhase(Phase::Call);
  const auto Called = Board.CallImage(reinterpret_cast<const void *>(Protocol->AuthenticateImage), 0, 1,
                                      reinterpret_cast<std::uint64_t>(Signature.data()), Signature.size());
  ASSERT_TRUE(Called.returned);
  EXPECT_EQ(Called.result, kViolation);
  EXPECT_TRUE(Board.ThePlatform().misuse.empty());
  EXPECT_EQ(Board.ThePlatform().smm_pool.LiveBlocks().size(), Board.AfterLoadBlocks().size());
}

}  // namespace
