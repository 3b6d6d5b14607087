#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cipher/skipjack.h"
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

Bytes EncryptBlockWithKey(TCipher& cipher, const Bytes& key, Bytes block) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.EncryptBlock(block.data());
  return block;
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

// NIST byte order: key cv0..cv9 = bytes 0..9, block = four big-endian
// 16-bit words. First the test vector of NIST's SKIPJACK and KEA algorithm
// description, version 2.0 (1998), then NIST SP 800-17 Table 6 (variable-key
// known answers, odd rounds 1 to 79), taken from the byte-reversed copy in
// Crypto++ TestVectors/skipjack.txt and put back in NIST order.
const Vector PublishedVectors[] = {
    {"00998877665544332211", "33221100ddccbbaa", "2587cae27a12d300"},
    {"00000000000000000040", "0000000000000000", "f99ebcd1bcf84fa1"},
    {"00000000000000000010", "0000000000000000", "35bdaa32332cfe28"},
    {"00000000000000000004", "0000000000000000", "4bf72675cbd03d44"},
    {"00000000000000000001", "0000000000000000", "1d5bba5e5e759198"},
    {"00000000000000004000", "0000000000000000", "8dc47fa4081a3863"},
    {"00000000000000001000", "0000000000000000", "5be2d04e61160274"},
    {"00000000000000000400", "0000000000000000", "4ebea0b3629b76a9"},
    {"00000000000000000100", "0000000000000000", "9db36a15a02b671d"},
    {"00000000000000400000", "0000000000000000", "94150d36dc7d48ea"},
    {"00000000000000100000", "0000000000000000", "4f4cd6b9c29ef51a"},
    {"00000000000000040000", "0000000000000000", "9eaa374a0dfe0b0b"},
    {"00000000000000010000", "0000000000000000", "ee4115466c257731"},
    {"00000000000040000000", "0000000000000000", "93f7ec22ad35a475"},
    {"00000000000010000000", "0000000000000000", "d01da185b118a7ab"},
    {"00000000000004000000", "0000000000000000", "f22897b08fa5a038"},
    {"00000000000001000000", "0000000000000000", "6008ea39f0935d45"},
    {"00000000004000000000", "0000000000000000", "e5c12bbadcf10ff4"},
    {"00000000001000000000", "0000000000000000", "360667366e93beb2"},
    {"00000000000400000000", "0000000000000000", "56e52f9ad0893c99"},
    {"00000000000100000000", "0000000000000000", "51b14c8f22d55996"},
    {"00000000400000000000", "0000000000000000", "f601cd7b40bd0035"},
    {"00000000100000000000", "0000000000000000", "eaab482d0a841384"},
    {"00000000040000000000", "0000000000000000", "5fdc0f9f0d7fe929"},
    {"00000000010000000000", "0000000000000000", "4f982a87fb09c410"},
    {"00000040000000000000", "0000000000000000", "b9ba85d550903a91"},
    {"00000010000000000000", "0000000000000000", "ae6a834d28a70c6c"},
    {"00000004000000000000", "0000000000000000", "909dd2a396d5d738"},
    {"00000001000000000000", "0000000000000000", "a04bb041877705e4"},
    {"00004000000000000000", "0000000000000000", "c7e48c24df31e952"},
    {"00001000000000000000", "0000000000000000", "7db4d76168fafa7c"},
    {"00000400000000000000", "0000000000000000", "b56a9b1cda073241"},
    {"00000100000000000000", "0000000000000000", "09eb30fc852bafed"},
    {"00400000000000000000", "0000000000000000", "2f09159996c339e5"},
    {"00100000000000000000", "0000000000000000", "9531fa4730ba158b"},
    {"00040000000000000000", "0000000000000000", "4110ca0431ec9588"},
    {"00010000000000000000", "0000000000000000", "02f093e0eb8032c2"},
    {"40000000000000000000", "0000000000000000", "61ce4785762e8980"},
    {"10000000000000000000", "0000000000000000", "49e6834776aa219f"},
    {"04000000000000000000", "0000000000000000", "d51f7b3a9710ce59"},
    {"01000000000000000000", "0000000000000000", "a850b4e3c2e7d074"},
};

class SkipjackPublishedVector : public ::testing::TestWithParam<Vector> {};

TEST_P(SkipjackPublishedVector, EncryptsAndDecryptsTheBlock) {
  const Vector& v = GetParam();
  TCipher_Skipjack cipher;
  Bytes block = EncryptBlockWithKey(cipher, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(ToHex(block), v.cipher);
  cipher.DecryptBlock(block.data());
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(Nist, SkipjackPublishedVector, ::testing::ValuesIn(PublishedVectors));

TEST(Skipjack, ShortKeyIsZeroPaddedToTenBytes) {
  TCipher_Skipjack shortKey, paddedKey;
  const Bytes plain = Hex("33221100ddccbbaa");
  EXPECT_EQ(EncryptBlockWithKey(shortKey, Hex("0099887766"), plain),
            EncryptBlockWithKey(paddedKey, Hex("00998877660000000000"), plain));
}

TEST(Skipjack, RegisteredUnderItsName) {
  EXPECT_EQ(CipherClassByName("Skipjack"), &TCipher_Skipjack::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_Skipjack::Class), "");
}

}  // namespace
}  // namespace hushlake
