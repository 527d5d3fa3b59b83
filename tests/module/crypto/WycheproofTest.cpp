// The crypto adapter over the public Wycheproof RSASSA-PKCS1-v1_5 cases: every verdict as
// Wycheproof gives it, except MissingNull, a DigestInfo without the NULL parameters, which
// the module accepts.
#include <gtest/gtest.h>

#include <string>

#include "Library/BaseCryptLib.h"
#include "SignatureForge.h"
#include "WycheproofVectors.h"

namespace {

bool Verify(const Bytes &Modulus, const Bytes &Exponent, const Bytes &Digest, const Bytes &Signature) {
  VOID *Rsa = RsaContextNew();
  const bool Result = RsaSetKeyComponent(Rsa, RsaComponentN, Modulus.data(), Modulus.size()) &&
                      RsaSetKeyComponent(Rsa, RsaComponentE, Exponent.data(), Exponent.size()) &&
                      RsaPkcs1VerifyDigest(Rsa, Digest.data(), Digest.size(), Signature.data(), Signature.size());
  RsaContextFree(Rsa);
  return Result;
}

TEST(Wycheproof, Sha256VerificationCases) {
  const nlohmann::json Vectors = LoadWycheproof("rsa_signature_2048_sha256_test.json");
  ASSERT_FALSE(Vectors.is_discarded());
  unsigned Cases = 0;
  for (const auto &Group : Vectors["testGroups"]) {
    // Some groups carry e = 3: the exponent is set through the adapter like any other.
    const Bytes Modulus = FromHex(Group["publicKey"]["modulus"]);
    const Bytes Exponent = FromHex(Group["publicKey"]["publicExponent"]);
    for (const auto &Case : Group["tests"]) {
      const Bytes Signature = FromHex(Case["sig"]);
      const Bytes Digest = Sha256Of(FromHex(Case["msg"]));
      EXPECT_EQ(Verify(Modulus, Exponent, Digest, Signature), ModuleAccepts(Case))
          << "tcId " << Case["tcId"] << ": " << Case["comment"];
      Cases++;
    }
  }
  EXPECT_EQ(Cases, Vectors["numberOfTests"].get<unsigned>());
}

// The signature-generation file: SHA-256 and SHA-1 signatures verify; SHA-224, SHA-384 and
// SHA-512 digests have sizes the adapter does not take.
TEST(Wycheproof, SignatureGenerationCasesByDigest) {
  const nlohmann::json Vectors = LoadWycheproof("rsa_pkcs1_2048_sig_gen_test.json");
  ASSERT_FALSE(Vectors.is_discarded());
  for (const auto &Group : Vectors["testGroups"]) {
    const std::string Digest = Group["sha"];
    const Bytes Modulus = FromHex(Group["privateKey"]["modulus"]);
    const Bytes Exponent = FromHex(Group["privateKey"]["publicExponent"]);
    for (const auto &Case : Group["tests"]) {
      const Bytes Message = FromHex(Case["msg"]);
      const Bytes Signature = FromHex(Case["sig"]);
      SCOPED_TRACE(Digest + " tcId " + std::to_string(Case["tcId"].get<int>()));
      if (Digest == "SHA-256") {
        EXPECT_TRUE(Verify(Modulus, Exponent, Sha256Of(Message), Signature));
      } else if (Digest == "SHA-1") {
        EXPECT_TRUE(Verify(Modulus, Exponent, Sha1Of(Message), Signature));
        // The SHA-1 signature names SHA-1: as a SHA-256 signature it is refused.
        EXPECT_FALSE(Verify(Modulus, Exponent, Sha256Of(Message), Signature));
      } else {
        EXPECT_FALSE(Verify(Modulus, Exponent, Sha256Of(Message), Signature));
      }
    }
  }
}

}  // namespace
