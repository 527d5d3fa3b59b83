// Makes RSASSA-PKCS1-v1_5 signatures for tests with the host libcrypto, including ones the
// module must refuse: the encoded block is built here byte by byte and then raised to the
// private exponent, so that a test can name any DigestInfo, drop its parameters or append
// bytes after it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

Bytes FromHex(const std::string &Hex);
Bytes Append(Bytes Base, const Bytes &Tail);
Bytes Sha256Of(const Bytes &Data);
Bytes Sha1Of(const Bytes &Data);
Bytes Md5Of(const Bytes &Data);

// The DER AlgorithmIdentifier OIDs of the digests the module knows.
extern const Bytes kSha256Oid;
extern const Bytes kSha1Oid;
extern const Bytes kMd5Oid;
extern const Bytes kMd5WithRsaOid;

// DigestInfo ::= SEQUENCE { SEQUENCE { OID, Parameters }, OCTET STRING digest }, with
// Parameters the given bytes (empty: left out; 05 00: the usual NULL).
Bytes DigestInfo(const Bytes &Oid, const Bytes &Parameters, const Bytes &Digest);

class TestSigner {
 public:
  // A private key in PEM (PKCS#1 or PKCS#8); an empty path generates a new RSA-2048 key.
  explicit TestSigner(const std::string &PrivateKeyPem = "");
  ~TestSigner();
  TestSigner(const TestSigner &) = delete;
  TestSigner &operator=(const TestSigner &) = delete;

  static TestSigner FromFile(const std::string &Path);

  // 00 01 FF .. FF 00 || Payload, raised to the private exponent.
  Bytes SignBlockPayload(const Bytes &Payload) const;
  // The ordinary signature over SHA-256 (Data).
  Bytes SignSha256(const Bytes &Data) const;
  Bytes Modulus() const;   // big-endian, 256 bytes
  Bytes Exponent() const;  // big-endian

 private:
  void *Key = nullptr;  // EVP_PKEY
};
