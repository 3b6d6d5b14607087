#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/rc4.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view hex) {
  Bytes bytes;
  for (std::size_t n = 0; n + 1 < hex.size(); n += 2)
    bytes.push_back(
        static_cast<std::uint8_t>(std::stoi(std::string(hex.substr(n, 2)), nullptr, 16)));
  return bytes;
}

std::string ToHex(const Bytes& bytes) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string hex;
  for (std::uint8_t b : bytes) {
    hex += Digits[b >> 4];
    hex += Digits[b & 15];
  }
  return hex;
}

Bytes Encipher(TCipher& cipher, Bytes data) {
  cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

// The plain keystream from its first byte: a given vector spares the block
// that the default vector would take, and in cmECB every full block is one
// EncryptBlock, the next 16 keystream bytes XORed over it. A zero vector
// also makes a cmECB tail (the tail XORed with E(register) = the next
// keystream block) continue the plain keystream.
Bytes Keystream(const Bytes& key, int length) {
  TCipher_RC4 cipher;
  const Bytes zeroVector(16, 0);
  cipher.Init(key.data(), static_cast<int>(key.size()), zeroVector.data());
  cipher.Mode = cmECB;
  return Encipher(cipher, Bytes(static_cast<std::size_t>(length), 0));
}

struct Vector {
  const char* key;
  int offset;
  const char* keystream;
};

// RFC 6229 section 2: 16 keystream bytes at the given offset.
const Vector PublishedVectors[] = {
    {"0102030405", 0, "b2396305f03dc027ccc3524a0a1118a8"},
    {"0102030405060708090a", 16, "03516ba78f413beb223aa5d4d2df6711"},
    {"0102030405060708090a", 256, "48532b21fb6079c9114c0ffd9c04a1ad"},
    {"0102030405060708090a", 512, "e20fb49bdb337ee48b8d8dc0f4afeffe"},
    {"0102030405060708090a", 768, "e067a7031931a246a6c3875d2f678acb"},
    {"0102030405060708090a", 1024, "f449031de312814ec6f319291f4a0516"},
    {"0102030405060708090a", 1536, "8a0feddbac865a09bcd127fb562ed60a"},
    {"0102030405060708090a", 2048, "d9a09cea3ce75fe39698070317a71339"},
    {"0102030405060708090a", 3072, "7e82cbabfc95381b080998442129c2f8"},
    {"0102030405060708090a", 4096, "08b6be45124a43e2eb77953f84dc8553"},
    {"8b37641910833222772a", 16, "bb759010c29658f2c72d93a2d16d2930"},
    {"8b37641910833222772a", 256, "3d25ce4922924c55f064943353d78a6c"},
    {"8b37641910833222772a", 512, "28f2b3434b65c09877470044c6ea170d"},
    {"8b37641910833222772a", 768, "67559c23f052158470a296f725735a32"},
    {"8b37641910833222772a", 1024, "31185a6d696f0cfa9b42808b38e132a2"},
    {"8b37641910833222772a", 1536, "3c0778a7b5f72d3c23a3135c7d67b9f4"},
    {"8b37641910833222772a", 2048, "02f31c81e8200731b899b028e791bfa7"},
    {"8b37641910833222772a", 3072, "4e0a8c6f7934a788e2265e81d6d0c8f4"},
    {"8b37641910833222772a", 4096, "5f6bfc73815874d97100f086979357d8"},
};

class RC4PublishedKeystream : public ::testing::TestWithParam<Vector> {};

TEST_P(RC4PublishedKeystream, AppearsAtItsOffset) {
  const Vector& v = GetParam();
  const Bytes stream = Keystream(Hex(v.key), v.offset + 16);
  EXPECT_EQ(ToHex(Bytes(stream.begin() + v.offset, stream.end())), v.keystream);
}

INSTANTIATE_TEST_SUITE_P(Rfc6229, RC4PublishedKeystream, ::testing::ValuesIn(PublishedVectors));

TEST(RC4, EcbTailWithAZeroVectorContinuesTheKeystream) {
  const Bytes key = Hex("0102030405");
  const Bytes whole = Keystream(key, 48);
  EXPECT_EQ(Keystream(key, 37), Bytes(whole.begin(), whole.begin() + 37));
}

// Without a vector, the default vector is the first keystream block XORed
// over 0xFF bytes, and the data starts at keystream offset 16.
TEST(RC4, DefaultVectorTakesTheFirstKeystreamBlock) {
  const Bytes key = Hex("0102030405060708090a");
  TCipher_RC4 cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.Mode = cmECB;
  EXPECT_EQ(ToHex(Encipher(cipher, Bytes(16, 0))), "03516ba78f413beb223aa5d4d2df6711");
  Bytes firstBlock = Keystream(key, 16);
  for (auto& b : firstBlock) b ^= 0xFF;
  EXPECT_EQ(Bytes(cipher.Vector().begin(), cipher.Vector().end()), firstBlock);
}

TEST(RC4, ResetRestoresTheKeyedState) {
  const Bytes key = Hex("8b37641910833222772a");
  TCipher_RC4 cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  for (TCipherMode mode : {cmECB, cmCTS, cmCFB}) {
    cipher.Mode = mode;
    const Bytes first = Encipher(cipher, Bytes(100, 0x42));
    EXPECT_NE(Encipher(cipher, Bytes(100, 0x42)), first) << "the state moves on";
    cipher.Reset();
    EXPECT_EQ(Encipher(cipher, Bytes(100, 0x42)), first) << "mode " << int{mode};
    cipher.Reset();
    Bytes back = first;
    cipher.DecipherBuffer(back.data(), back.data(), static_cast<int>(back.size()));
    EXPECT_EQ(back, Bytes(100, 0x42)) << "mode " << int{mode};
    cipher.Reset();
  }
}

// InitKey never hands in an empty key; one given directly acts as the byte 0.
TEST(RC4, EmptyKeyActsAsTheSingleByteZero) {
  EXPECT_EQ(Keystream({}, 64), Keystream(Bytes{0}, 64));
}

TEST(RC4, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC4"), &TCipher_RC4::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC4::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake
