#include "SignatureForge.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>
#include <openssl/sha.h>
#include <openssl/md5.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {
EVP_PKEY *AsKey(void *Key) { return static_cast<EVP_PKEY *>(Key); }

Bytes DerLength(std::size_t Length) {
  if (Length < 0x80) return {static_cast<std::uint8_t>(Length)};
  if (Length < 0x100) return {0x81, static_cast<std::uint8_t>(Length)};
  return {0x82, static_cast<std::uint8_t>(Length >> 8), static_cast<std::uint8_t>(Length)};
}

Bytes Tagged(std::uint8_t Tag, const Bytes &Content) {
  Bytes Out{Tag};
  const Bytes Length = DerLength(Content.size());
  Out.insert(Out.end(), Length.begin(), Length.end());
  Out.insert(Out.end(), Content.begin(), Content.end());
  return Out;
}

Bytes BigNumberParameter(EVP_PKEY *Key, const char *Name, int Width) {
  BIGNUM *Value = nullptr;
  if (EVP_PKEY_get_bn_param(Key, Name, &Value) != 1) throw std::runtime_error("key parameter missing");
  const int Size = Width > 0 ? Width : BN_num_bytes(Value);
  Bytes Out(Size);
  BN_bn2binpad(Value, Out.data(), Size);
  BN_free(Value);
  return Out;
}
}  // namespace

const Bytes kSha256Oid = {0x06, 0x09, 0x60, 0x86, 0x48, 0x01, 0x65, 0x03, 0x04, 0x02, 0x01};
const Bytes kSha1Oid = {0x06, 0x05, 0x2B, 0x0E, 0x03, 0x02, 0x1A};
const Bytes kMd5Oid = {0x06, 0x08, 0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x02, 0x05};
const Bytes kMd5WithRsaOid = {0x06, 0x09, 0x2A, 0x86, 0x48, 0x86, 0xF7, 0x0D, 0x01, 0x01, 0x04};

Bytes FromHex(const std::string &Hex) {
  Bytes Out;
  for (std::size_t Index = 0; Index + 1 < Hex.size(); Index += 2) {
    Out.push_back(static_cast<std::uint8_t>(std::stoi(Hex.substr(Index, 2), nullptr, 16)));
  }
  return Out;
}

Bytes Append(Bytes Base, const Bytes &Tail) {
  Base.insert(Base.end(), Tail.begin(), Tail.end());
  return Base;
}

Bytes Sha256Of(const Bytes &Data) {
  Bytes Out(32);
  SHA256(Data.data(), Data.size(), Out.data());
  return Out;
}

Bytes Sha1Of(const Bytes &Data) {
  Bytes Out(20);
  SHA1(Data.data(), Data.size(), Out.data());
  return Out;
}

Bytes Md5Of(const Bytes &Data) {
  Bytes Out(16);
  unsigned int Size = 0;
  EVP_Digest(Data.data(), Data.size(), Out.data(), &Size, EVP_md5(), nullptr);
  return Out;
}

Bytes DigestInfo(const Bytes &Oid, const Bytes &Parameters, const Bytes &Digest) {
  Bytes Algorithm = Oid;
  Algorithm.insert(Algorithm.end(), Parameters.begin(), Parameters.end());
  Bytes Content = Tagged(0x30, Algorithm);
  const Bytes DigestString = Tagged(0x04, Digest);
  Content.insert(Content.end(), DigestString.begin(), DigestString.end());
  return Tagged(0x30, Content);
}

TestSigner::TestSigner(const std::string &PrivateKeyPem) {
  if (PrivateKeyPem.empty()) {
    Key = EVP_RSA_gen(2048);
  } else {
    BIO *Bio = BIO_new_mem_buf(PrivateKeyPem.data(), static_cast<int>(PrivateKeyPem.size()));
    Key = PEM_read_bio_PrivateKey(Bio, nullptr, nullptr, nullptr);
    BIO_free(Bio);
  }
  if (Key == nullptr) throw std::runtime_error("test signing key unusable");
}

TestSigner::~TestSigner() { EVP_PKEY_free(AsKey(Key)); }

TestSigner TestSigner::FromFile(const std::string &Path) {
  std::ifstream File(Path);
  std::stringstream Text;
  Text << File.rdbuf();
  return TestSigner(Text.str());
}

Bytes TestSigner::SignBlockPayload(const Bytes &Payload) const {
  const std::size_t Size = static_cast<std::size_t>(EVP_PKEY_get_size(AsKey(Key)));
  if (Payload.size() + 11 > Size) throw std::runtime_error("payload too long for the key");
  Bytes Block(Size, 0xFF);
  Block[0] = 0x00;
  Block[1] = 0x01;
  Block[Size - Payload.size() - 1] = 0x00;
  std::copy(Payload.begin(), Payload.end(), Block.end() - static_cast<long>(Payload.size()));

  // The raw private-key operation, with no padding of the library's own.
  Bytes Signature(Size);
  EVP_PKEY_CTX *Context = EVP_PKEY_CTX_new(AsKey(Key), nullptr);
  std::size_t SignatureSize = Size;
  if (Context == nullptr || EVP_PKEY_sign_init(Context) != 1 ||
      EVP_PKEY_CTX_set_rsa_padding(Context, RSA_NO_PADDING) != 1 ||
      EVP_PKEY_sign(Context, Signature.data(), &SignatureSize, Block.data(), Block.size()) != 1) {
    EVP_PKEY_CTX_free(Context);
    throw std::runtime_error("raw RSA private operation failed");
  }
  EVP_PKEY_CTX_free(Context);
  Signature.resize(SignatureSize);
  return Signature;
}

Bytes TestSigner::SignSha256(const Bytes &Data) const {
  return SignBlockPayload(DigestInfo(kSha256Oid, {0x05, 0x00}, Sha256Of(Data)));
}

Bytes TestSigner::Modulus() const { return BigNumberParameter(AsKey(Key), OSSL_PKEY_PARAM_RSA_N, 256); }

Bytes TestSigner::Exponent() const { return BigNumberParameter(AsKey(Key), OSSL_PKEY_PARAM_RSA_E, 0); }
