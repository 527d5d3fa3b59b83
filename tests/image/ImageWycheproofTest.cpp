// The public Wycheproof cases through the real image: the test image trusts the e = 65537 key
// of the verification vectors (whose private half the signature-generation vectors carry),
// and every case is one AuthenticateImage call on one resident module.
#include <gtest/gtest.h>

#include <string>

#include "ImageFixture.h"
#include "WycheproofVectors.h"

using namespace vorq::emu;

namespace {

struct Expected {
  int Id;
  EFI_STATUS Status;
};

void RunCases(const std::vector<std::pair<Bytes, Bytes>> &Calls, const std::vector<Expected> &Expectations) {
  const ImageRun Run = RunImage(VORQ_TEST_IMAGE, BoardOptions(), Calls);
  ASSERT_EQ(Run.Calls.size(), Expectations.size());
  for (std::size_t Index = 0; Index < Run.Calls.size(); Index++) {
    const CallOutcome &Call = Run.Calls[Index];
    EXPECT_EQ(Call.status, Expectations[Index].Status) << "tcId " << Expectations[Index].Id << ": " << Describe(Call);
    SCOPED_TRACE("tcId " + std::to_string(Expectations[Index].Id));
    ExpectCleanCall(Call);
  }
}

TEST(ImageWycheproof, VerificationCasesOfTheImagesKey) {
  const nlohmann::json Vectors = LoadWycheproof("rsa_signature_2048_sha256_test.json");
  ASSERT_FALSE(Vectors.is_discarded());
  const Bytes ImageModulus = TestImageSigner().Modulus();
  std::vector<std::pair<Bytes, Bytes>> Calls;
  std::vector<Expected> Expectations;
  for (const auto &Group : Vectors["testGroups"]) {
    const Bytes Modulus = KeyNumber(Group["publicKey"]["modulus"]);
    if (Modulus != ImageModulus || Group["publicKey"]["publicExponent"] != "010001") continue;
    for (const auto &Case : Group["tests"]) {
      Calls.emplace_back(FromHex(Case["msg"]), FromHex(Case["sig"]));
      Expectations.push_back({Case["tcId"].get<int>(), ModuleAccepts(Case) ? EFI_SUCCESS : EFI_SECURITY_VIOLATION});
    }
  }
  ASSERT_GT(Calls.size(), 200u) << "the image's key is not the vectors' e = 65537 key";
  RunCases(Calls, Expectations);
}

TEST(ImageWycheproof, SignatureGenerationCasesOfTheImagesKey) {
  const nlohmann::json Vectors = LoadWycheproof("rsa_pkcs1_2048_sig_gen_test.json");
  ASSERT_FALSE(Vectors.is_discarded());
  const Bytes ImageModulus = TestImageSigner().Modulus();
  std::vector<std::pair<Bytes, Bytes>> Calls;
  std::vector<Expected> Expectations;
  for (const auto &Group : Vectors["testGroups"]) {
    const Bytes Modulus = KeyNumber(Group["privateKey"]["modulus"]);
    // Signatures by other keys are all refused, whatever digest they name.
    const bool SameKey = Modulus == ImageModulus;
    for (const auto &Case : Group["tests"]) {
      Calls.emplace_back(FromHex(Case["msg"]), FromHex(Case["sig"]));
      const bool Accepted = SameKey && Group["sha"] == "SHA-256";
      Expectations.push_back({Case["tcId"].get<int>(), Accepted ? EFI_SUCCESS : EFI_SECURITY_VIOLATION});
    }
  }
  RunCases(Calls, Expectations);
}

}  // namespace
