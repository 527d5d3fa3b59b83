// The rules on the DigestInfo inside a valid type 1 block, one row per way of breaking or
// keeping them.
#include <gtest/gtest.h>

#include <string>

#include "Library/BaseCryptLib.h"
#include "SignatureForge.h"

namespace {

const Bytes kMessage = {'i', 'm', 'a', 'g', 'e'};
const Bytes kNull = {0x05, 0x00};

struct Row {
  std::string Name;
  Bytes Payload;    // what follows 00 01 FF .. FF 00
  Bytes Digest;     // what the caller asks about; its size selects the algorithm
  bool Accepted;
};

TEST(DigestInfoRules, TableOfEncodings) {
  TestSigner Signer;
  const Bytes Modulus = Signer.Modulus();
  const Bytes Exponent = Signer.Exponent();
  const Bytes Sha256 = Sha256Of(kMessage);
  const Bytes Sha1 = Sha1Of(kMessage);
  const Bytes Md5 = Md5Of(kMessage);
  Bytes OtherData = Sha256Of({'o', 't', 'h', 'e', 'r'});
  Bytes LongLength = DigestInfo(kSha256Oid, kNull, Sha256);
  LongLength.insert(LongLength.begin() + 1, 0x81);  // 30 81 31: a length in more bytes than needed

  const Row Rows[] = {
      {"sha256 with NULL parameters", DigestInfo(kSha256Oid, kNull, Sha256), Sha256, true},
      {"sha256 without parameters", DigestInfo(kSha256Oid, {}, Sha256), Sha256, true},
      {"sha256 with an INTEGER as parameters", DigestInfo(kSha256Oid, {0x02, 0x01, 0x00}, Sha256), Sha256, false},
      {"sha256 with a non-empty NULL", DigestInfo(kSha256Oid, {0x05, 0x01, 0x00}, Sha256), Sha256, false},
      {"sha256 followed by a byte", Append(DigestInfo(kSha256Oid, kNull, Sha256), {0x00}), Sha256, false},
      {"sha256 in a BER length", LongLength, Sha256, false},
      {"sha256 of other data", DigestInfo(kSha256Oid, kNull, OtherData), Sha256, false},
      {"sha256 digest cut short", DigestInfo(kSha256Oid, kNull, Bytes(Sha256.begin(), Sha256.end() - 1)), Sha256,
       false},
      {"sha1 asked as sha1", DigestInfo(kSha1Oid, kNull, Sha1), Sha1, true},
      {"sha1 asked as sha256", DigestInfo(kSha1Oid, kNull, Sha1), Sha256, false},
      {"sha1 oid over a sha256 digest", DigestInfo(kSha1Oid, kNull, Sha256), Sha256, false},
      {"md5 asked as md5", DigestInfo(kMd5Oid, kNull, Md5), Md5, true},
      {"md5WithRSAEncryption asked as md5", DigestInfo(kMd5WithRsaOid, kNull, Md5), Md5, true},
      {"md5 oid over a sha256 digest", DigestInfo(kMd5Oid, kNull, Sha256), Sha256, false},
      {"bare digest without DigestInfo", Sha256, Sha256, false},
  };
  for (const Row &Case : Rows) {
    SCOPED_TRACE(Case.Name);
    const Bytes Signature = Signer.SignBlockPayload(Case.Payload);
    VOID *Rsa = RsaContextNew();
    ASSERT_TRUE(RsaSetKeyComponent(Rsa, RsaComponentN, Modulus.data(), Modulus.size()));
    ASSERT_TRUE(RsaSetKeyComponent(Rsa, RsaComponentE, Exponent.data(), Exponent.size()));
    EXPECT_EQ(RsaPkcs1VerifyDigest(Rsa, Case.Digest.data(), Case.Digest.size(), Signature.data(), Signature.size()),
              Case.Accepted ? TRUE : FALSE);
    RsaContextFree(Rsa);
  }
}

}  // namespace
