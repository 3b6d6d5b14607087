#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/support.h"
#include "toy_algorithms.h"

namespace hushlake {
namespace {

using test::ToyCipher;
using test::ToyHash;
using Bytes = std::vector<std::uint8_t>;

const std::string Key = "0123456789abcdef";

Bytes Pattern(int size) {
  Bytes data(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) data[i] = static_cast<std::uint8_t>(i * 29 + 3);
  return data;
}

template <int Block>
std::shared_ptr<ToyCipher<Block>> Keyed(TCipherMode mode) {
  auto cipher = std::make_shared<ToyCipher<Block>>();
  cipher->Init(Key.data(), static_cast<int>(Key.size()), nullptr);
  cipher->Mode = mode;
  return cipher;
}

Bytes Xor(Bytes a, const Bytes& b) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] ^= b[i];
  return a;
}

TEST(CipherBase, RefusesToWorkBeforeInit) {
  ToyCipher<8> cipher;
  Bytes data = Pattern(8);
  try {
    cipher.EncipherBuffer(data.data(), data.data(), 8);
    FAIL() << "no exception";
  } catch (const ECipherException& error) {
    EXPECT_EQ(error.ErrorCode(), 3);
    EXPECT_STREQ(error.what(),
                 "TCipher_ToyEight is not initialized call Init() or InitKey() before.");
  }
  EXPECT_THROW(cipher.ProcessString("text", caEncode), ECipherException);
  EXPECT_EQ(data, Pattern(8));
}

TEST(CipherBase, ScrubbedStateAndTheDefaultVector) {
  ToyCipher<8> fresh;
  EXPECT_EQ(Bytes(fresh.Vector().begin(), fresh.Vector().end()), Bytes(8, 0xFF));
  EXPECT_EQ(Bytes(fresh.Buffer().begin(), fresh.Buffer().end()), Bytes(8, 0x00));
  EXPECT_FALSE(fresh.Initialized());

  auto cipher = Keyed<8>(cmCTS);
  Bytes expected(8, 0xFF);
  cipher->EncryptBlock(expected.data());
  EXPECT_EQ(Bytes(cipher->Vector().begin(), cipher->Vector().end()), expected);
  EXPECT_EQ(Bytes(cipher->Feedback().begin(), cipher->Feedback().end()), expected);

  const Bytes iv = Pattern(8);
  cipher->Init(Key.data(), 16, iv.data());
  EXPECT_EQ(Bytes(cipher->Vector().begin(), cipher->Vector().end()), iv);
}

TEST(CipherBase, LongKeysAreCutAndNegativeLengthsActAsEmpty) {
  const std::string longKey = Key + "ignored tail";
  ToyCipher<8> a, b, c, d;
  a.Init(longKey.data(), static_cast<int>(longKey.size()), nullptr);
  b.Init(Key.data(), 16, nullptr);
  EXPECT_EQ(Bytes(a.Vector().begin(), a.Vector().end()),
            Bytes(b.Vector().begin(), b.Vector().end()));
  c.Init(Key.data(), -5, nullptr);
  d.Init("", 0, nullptr);
  EXPECT_EQ(Bytes(c.Vector().begin(), c.Vector().end()),
            Bytes(d.Vector().begin(), d.Vector().end()));
}

// Every mode, every awkward length: the opposite direction restores the data,
// the cipher text is as long as the plain text, MAC modes write nothing.
class ModeRoundTrip : public ::testing::TestWithParam<std::tuple<TCipherMode, int>> {};

TEST_P(ModeRoundTrip, RestoresThePlainText) {
  const auto [mode, length] = GetParam();
  auto cipher = Keyed<12>(mode);
  const Bytes plain = Pattern(length);
  Bytes out(plain.size(), 0xEE);
  cipher->EncipherBuffer(plain.data(), out.data(), length);
  if (mode >= cmCTSMAC) {
    EXPECT_EQ(out, Bytes(plain.size(), 0xEE));
    return;
  }
  if (length > 0) {
    EXPECT_NE(out, plain);
  }
  cipher->Reset();
  cipher->DecipherBuffer(out.data(), out.data(), length);  // in place
  EXPECT_EQ(out, plain);
}

INSTANTIATE_TEST_SUITE_P(AllModes, ModeRoundTrip,
                         ::testing::Combine(::testing::Values(cmCTS, cmCBC, cmCFB, cmOFB, cmECB,
                                                              cmCTSMAC, cmCBCMAC, cmCFBMAC),
                                            ::testing::Values(0, 1, 11, 12, 13, 4095, 4097,
                                                              10000)));

TEST(CipherModes, CtsAndCbcOnTwentyBytesWithAnEightByteBlock) {
  const Bytes plain = Pattern(20);
  for (TCipherMode mode : {cmCTS, cmCBC}) {
    auto cipher = Keyed<8>(mode);
    auto reference = Keyed<8>(mode);
    Bytes f(reference->Feedback().begin(), reference->Feedback().end());
    Bytes expected;
    for (int block = 0; block < 2; ++block) {
      Bytes p(plain.begin() + block * 8, plain.begin() + block * 8 + 8);
      Bytes c = Xor(p, f);
      reference->EncryptBlock(c.data());
      expected.insert(expected.end(), c.begin(), c.end());
      f = mode == cmCTS ? Xor(c, f) : c;
    }
    Bytes b = f;
    reference->EncryptBlock(b.data());
    for (int i = 0; i < 4; ++i) expected.push_back(static_cast<std::uint8_t>(plain[16 + i] ^ b[i]));

    Bytes out(20);
    cipher->EncipherBuffer(plain.data(), out.data(), 20);
    EXPECT_EQ(out, expected) << "mode " << int{mode};
    EXPECT_EQ(Bytes(cipher->Feedback().begin(), cipher->Feedback().end()), Xor(b, f));
  }
}

TEST(CipherModes, ByteModesFollowTheShiftRegister) {
  auto cipher = Keyed<8>(cmCFB);
  Bytes f(cipher->Feedback().begin(), cipher->Feedback().end());
  const Bytes plain = Pattern(3);
  Bytes expected;
  for (std::uint8_t x : plain) {
    Bytes b = f;
    cipher->EncryptBlock(b.data());
    const auto y = static_cast<std::uint8_t>(x ^ b[0]);
    expected.push_back(y);
    f.erase(f.begin());
    f.push_back(y);
  }
  Bytes out(3);
  cipher->EncipherBuffer(plain.data(), out.data(), 3);
  EXPECT_EQ(out, expected);
}

TEST(CipherModes, OfbTwiceFromTheSameVectorGivesThePlainTextBack) {
  auto cipher = Keyed<8>(cmOFB);
  Bytes data = Pattern(100);
  cipher->EncipherBuffer(data.data(), data.data(), 100);
  cipher->Reset();
  cipher->EncipherBuffer(data.data(), data.data(), 100);
  EXPECT_EQ(data, Pattern(100));
}

TEST(CipherModes, MacModesLeaveTheResultInBufferAfterReset) {
  for (TCipherMode mode : {cmCTSMAC, cmCBCMAC, cmCFBMAC}) {
    auto a = Keyed<8>(mode);
    auto b = Keyed<8>(mode);
    Bytes data = Pattern(37);
    a->EncipherBuffer(data.data(), data.data(), 37);
    data[36] ^= 1;
    b->EncipherBuffer(data.data(), data.data(), 37);
    a->Reset();
    b->Reset();
    const Bytes macA(a->Buffer().begin(), a->Buffer().end());
    const Bytes macB(b->Buffer().begin(), b->Buffer().end());
    // The CTS/CBC tail bytes do not enter the MAC; the byte mode's do.
    if (mode == cmCFBMAC)
      EXPECT_NE(macA, macB);
    else
      EXPECT_EQ(macA, macB);
  }
}

TEST(CipherProcessing, ChunksOf4096ChainDifferentlyFromOneCall) {
  auto cipher = Keyed<12>(cmCTS);
  const Bytes plain = Pattern(5000);
  const std::string text(plain.begin(), plain.end());
  const std::string viaString = cipher->ProcessString(text, caEncode, FormatCopy);
  EXPECT_EQ(Bytes(cipher->Feedback().begin(), cipher->Feedback().end()),
            Bytes(cipher->Vector().begin(), cipher->Vector().end()));
  EXPECT_EQ(cipher->ProcessString(text, caEncode, FormatCopy), viaString);

  Bytes oneCall(5000);
  cipher->EncipherBuffer(plain.data(), oneCall.data(), 5000);
  cipher->Reset();
  EXPECT_NE(std::string(oneCall.begin(), oneCall.end()), viaString);
  // The first 4092 bytes (341 whole blocks) agree; the chunk's tail is where they part.
  EXPECT_EQ(std::string(oneCall.begin(), oneCall.begin() + 4092), viaString.substr(0, 4092));

  EXPECT_EQ(cipher->ProcessString(viaString, caDecode, FormatCopy), text);
  const std::string mime = cipher->EncodeString(text);
  EXPECT_EQ(cipher->DecodeString(mime), text);
}

TEST(CipherProcessing, DisabledActionsOnlyForward) {
  auto cipher = Keyed<8>(cmCTS);
  cipher->EnabledActions.Exclude(caEncode);
  Bytes data = Pattern(16);
  cipher->ProcessBuffer(data.data(), 16, caEncode);
  EXPECT_EQ(data, Pattern(16));
}

TEST(InitKey, HashesTheKeyTextAndWipesTheDigest) {
  ToyCipher<8> cipher;
  cipher.SetKeyHashClass(&ToyHash::Class);
  cipher.InitKey("a key text");

  ToyHash hash;
  hash.Init();
  hash.Update("a key text", 10);
  hash.Final();
  const Bytes digest(hash.Digest(), hash.Digest() + 8);  // 8 bytes < KeySize 16: all of it
  ToyCipher<8> direct;
  direct.Init(digest.data(), 8, nullptr);
  EXPECT_EQ(Bytes(cipher.Vector().begin(), cipher.Vector().end()),
            Bytes(direct.Vector().begin(), direct.Vector().end()));

  THash& keyHash = cipher.KeyHash();
  EXPECT_NE(Bytes(keyHash.Digest(), keyHash.Digest() + 8), digest);
  EXPECT_EQ(Bytes(cipher.Feedback().begin(), cipher.Feedback().end()),
            Bytes(cipher.Vector().begin(), cipher.Vector().end()));
}

}  // namespace
}  // namespace hushlake
