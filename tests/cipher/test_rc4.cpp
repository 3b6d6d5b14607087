// RC4: the published keystream, how the modes and the default vector sit on
// it, Reset, and the empty key.
#include <gtest/gtest.h>

#include <string>

#include "cipher/rc4.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// The plain keystream from its first byte: a given vector spares the block
// that the default vector would take, and in cmECB every full block is one
// EncryptBlock, the next 16 keystream bytes XORed over it. A zero vector
// also makes a cmECB tail (the tail XORed with E(register) = the next
// keystream block) continue the plain keystream.
ByteString Keystream(const ByteString& key, int length) {
  TCipher_RC4 cipher;
  const ByteString zeroVector(16, '\0');
  cipher.Init(key.data(), static_cast<int>(key.size()), zeroVector.data());
  cipher.Mode = cmECB;
  return Encipher(cipher, ByteString(static_cast<std::size_t>(length), '\0'));
}

struct KeystreamVector {
  const char* key;
  int offset;
  const char* keystream;
};

void PrintTo(const KeystreamVector& v, std::ostream* out) {
  *out << "key " << v.key << " at " << v.offset;
}

// RFC 6229 section 2: 16 keystream bytes at the given offset.
const KeystreamVector PublishedVectors[] = {
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

class RC4PublishedKeystream : public ::testing::TestWithParam<KeystreamVector> {};

TEST_P(RC4PublishedKeystream, AppearsAtItsOffset) {
  const KeystreamVector& v = GetParam();
  const ByteString stream = Keystream(Hex(v.key), v.offset + 16);
  EXPECT_EQ(ToHex(ByteString(stream.begin() + v.offset, stream.end())), v.keystream);
}

INSTANTIATE_TEST_SUITE_P(Rfc6229, RC4PublishedKeystream, ::testing::ValuesIn(PublishedVectors),
                         [](const auto& row) {
                           return "Row" + std::to_string(row.index) + "_Offset" +
                                  std::to_string(row.param.offset);
                         });

TEST(RC4, EcbTailWithAZeroVectorContinuesTheKeystream) {
  const ByteString key = Hex("0102030405");
  const ByteString whole = Keystream(key, 48);
  EXPECT_EQ(Keystream(key, 37), ByteString(whole.begin(), whole.begin() + 37));
}

// Without a vector, the default vector is the first keystream block XORed
// over 0xFF bytes, and the data starts at keystream offset 16.
TEST(RC4, DefaultVectorTakesTheFirstKeystreamBlock) {
  const ByteString key = Hex("0102030405060708090a");
  TCipher_RC4 cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.Mode = cmECB;
  EXPECT_EQ(ToHex(Encipher(cipher, ByteString(16, '\0'))), "03516ba78f413beb223aa5d4d2df6711");
  ByteString firstBlock = Keystream(key, 16);
  for (char& b : firstBlock) b = static_cast<char>(b ^ 0xFF);
  EXPECT_EQ(ByteString(cipher.Vector().begin(), cipher.Vector().end()), firstBlock);
}

TEST(RC4, ResetRestoresTheKeyedState) {
  const ByteString key = Hex("8b37641910833222772a");
  TCipher_RC4 cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  for (TCipherMode mode : {cmECB, cmCTS, cmCFB}) {
    cipher.Mode = mode;
    const ByteString first = Encipher(cipher, ByteString(100, 0x42));
    EXPECT_NE(Encipher(cipher, ByteString(100, 0x42)), first) << "the state moves on";
    cipher.Reset();
    EXPECT_EQ(Encipher(cipher, ByteString(100, 0x42)), first) << "mode " << int{mode};
    cipher.Reset();
    ByteString back = first;
    cipher.DecipherBuffer(back.data(), back.data(), static_cast<int>(back.size()));
    EXPECT_EQ(back, ByteString(100, 0x42)) << "mode " << int{mode};
    cipher.Reset();
  }
}

// InitKey never hands in an empty key; one given directly acts as the byte 0.
TEST(RC4, EmptyKeyActsAsTheSingleByteZero) {
  EXPECT_EQ(Keystream({}, 64), Keystream(ByteString{0}, 64));
}

TEST(RC4, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("RC4"), &TCipher_RC4::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_RC4::Class), "Patented by RSA");
}

}  // namespace
}  // namespace hushlake::cipher_test
