// The crypto adapter's argument tests and its key-component semantics.
#include <gtest/gtest.h>
#include <openssl/bn.h>
#include <openssl/rsa.h>

#include <vector>

#include "Library/BaseCryptLib.h"
#include "SignatureForge.h"

namespace {

struct RsaContext {
  VOID *Rsa = RsaContextNew();
  ~RsaContext() { RsaContextFree(Rsa); }
};

const RSA *AsRsa(VOID *Rsa) { return static_cast<const RSA *>(Rsa); }

TEST(Sha256Adapter, HashesInPiecesAndRefusesMissingArguments) {
  std::vector<UINT8> Context(Sha256ContextSize());
  EXPECT_EQ(Sha256ContextSize(), 112u);
  const Bytes Message = {'a', 'b', 'c'};
  UINT8 Digest[32] = {};

  ASSERT_TRUE(Sha256Start(Context.data()));
  ASSERT_TRUE(Sha256Feed(Context.data(), Message.data(), 1));
  // A feed of nothing, even from NULL, leaves the digest that of the bytes before it.
  ASSERT_TRUE(Sha256Feed(Context.data(), NULL, 0));
  ASSERT_TRUE(Sha256Feed(Context.data(), Message.data() + 1, 2));
  ASSERT_TRUE(Sha256Finish(Context.data(), Digest));
  EXPECT_EQ(Bytes(Digest, Digest + 32), Sha256Of(Message));

  EXPECT_FALSE(Sha256Start(NULL));
  EXPECT_FALSE(Sha256Feed(NULL, Message.data(), 3));
  EXPECT_FALSE(Sha256Feed(Context.data(), NULL, 1));
  EXPECT_FALSE(Sha256Finish(NULL, Digest));
  EXPECT_FALSE(Sha256Finish(Context.data(), NULL));
}

TEST(RsaSetKeyComponent, RefusesBadArgumentsWithoutTouchingTheKey) {
  RsaContext Key;
  const UINT8 Value[] = {0x01, 0x00, 0x01};
  ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, RsaComponentE, Value, sizeof(Value)));
  const BIGNUM *Before = RSA_get0_e(AsRsa(Key.Rsa));

  EXPECT_FALSE(RsaSetKeyComponent(NULL, RsaComponentN, Value, sizeof(Value)));
  EXPECT_FALSE(RsaSetKeyComponent(Key.Rsa, RsaComponentE, Value, 2147483648ULL));
  EXPECT_FALSE(RsaSetKeyComponent(Key.Rsa, static_cast<RSA_KEY_COMPONENT>(8), Value, sizeof(Value)));
  EXPECT_FALSE(RsaSetKeyComponent(Key.Rsa, static_cast<RSA_KEY_COMPONENT>(0xFFFFFFFF), Value, sizeof(Value)));
  EXPECT_EQ(RSA_get0_e(AsRsa(Key.Rsa)), Before);
  EXPECT_TRUE(BN_is_word(RSA_get0_e(AsRsa(Key.Rsa)), 65537));
}

// Each of the eight components can be set, replaced, set to zero and cleared.
TEST(RsaSetKeyComponent, SetsReplacesZeroesAndClearsEveryComponent) {
  using Getter = const BIGNUM *(*)(const RSA *);
  const struct {
    RSA_KEY_COMPONENT Tag;
    Getter Get;
  } Components[] = {
      {RsaComponentN, RSA_get0_n},     {RsaComponentE, RSA_get0_e},     {RsaComponentD, RSA_get0_d},
      {RsaComponentP, RSA_get0_p},     {RsaComponentQ, RSA_get0_q},     {RsaComponentDp, RSA_get0_dmp1},
      {RsaComponentDq, RSA_get0_dmq1}, {RsaComponentQInv, RSA_get0_iqmp},
  };
  for (const auto &Component : Components) {
    SCOPED_TRACE(Component.Tag);
    RsaContext Key;
    const UINT8 First[] = {0x12, 0x34};
    const UINT8 Second[] = {0x56};
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, Component.Tag, First, sizeof(First)));
    EXPECT_TRUE(BN_is_word(Component.Get(AsRsa(Key.Rsa)), 0x1234));
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, Component.Tag, Second, sizeof(Second)));
    EXPECT_TRUE(BN_is_word(Component.Get(AsRsa(Key.Rsa)), 0x56));
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, Component.Tag, First, 0));
    ASSERT_NE(Component.Get(AsRsa(Key.Rsa)), nullptr);
    EXPECT_TRUE(BN_is_zero(Component.Get(AsRsa(Key.Rsa))));
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, Component.Tag, NULL, 5));
    EXPECT_EQ(Component.Get(AsRsa(Key.Rsa)), nullptr);
  }
}

class VerifyArguments : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, RsaComponentN, Modulus.data(), Modulus.size()));
    ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, RsaComponentE, Exponent.data(), Exponent.size()));
  }
  TestSigner Signer;
  Bytes Modulus = Signer.Modulus();
  Bytes Exponent = Signer.Exponent();
  RsaContext Key;
  Bytes Message = {'f', 'i', 'r', 'm', 'w', 'a', 'r', 'e'};
  Bytes Digest = Sha256Of(Message);
  Bytes Signature = Signer.SignSha256(Message);
};

TEST_F(VerifyArguments, ValidSignatureVerifies) {
  EXPECT_TRUE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), Signature.size()));
}

TEST_F(VerifyArguments, EachArgumentTestRefuses) {
  EXPECT_FALSE(RsaPkcs1VerifyDigest(NULL, Digest.data(), 32, Signature.data(), 256));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, NULL, 32, Signature.data(), 256));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, NULL, 256));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 2147483648ULL));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 0));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 48, Signature.data(), 256));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 255));
}

// A key without its modulus or exponent cannot verify, and asking must not crash.
TEST_F(VerifyArguments, KeyWithoutModulusOrExponentRefuses) {
  ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, RsaComponentE, NULL, 0));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 256));
  RsaContext Empty;
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Empty.Rsa, Digest.data(), 32, Signature.data(), 256));
}

// A verification caches Montgomery values for the modulus; a new modulus must not use them.
TEST_F(VerifyArguments, ReplacedModulusIsUsedAfterAVerification) {
  ASSERT_TRUE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 256));
  TestSigner Other;
  const Bytes OtherModulus = Other.Modulus();
  ASSERT_TRUE(RsaSetKeyComponent(Key.Rsa, RsaComponentN, OtherModulus.data(), OtherModulus.size()));
  EXPECT_FALSE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, Signature.data(), 256));
  const Bytes OtherSignature = Other.SignSha256(Message);
  EXPECT_TRUE(RsaPkcs1VerifyDigest(Key.Rsa, Digest.data(), 32, OtherSignature.data(), 256));
}

}  // namespace
