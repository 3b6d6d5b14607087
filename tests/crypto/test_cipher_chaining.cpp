// The block modes have separate loops for 8-byte, 16-byte and other block
// sizes; each must chain exactly as the one-block definition says, whether
// the output goes to another buffer or over the input.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "crypto/cipher_base.h"
#include "toy_algorithms.h"

namespace hushlake::test {
template <>
inline const TCipherClass ToyCipher<16>::Class = {
    .className = "TCipher_ToySixteen",
    .displayName = "",
    .note = "",
    .blockSize = 16,
    .keySize = 16,
    .userSize = 16,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<ToyCipher<16>>,
};
}  // namespace hushlake::test

namespace hushlake {
namespace {

using Bytes = std::vector<std::uint8_t>;

CipherPtr KeyedToy(int blockSize, TCipherMode mode) {
  CipherPtr cipher;
  if (blockSize == 8) cipher = std::make_shared<test::ToyCipher<8>>();
  if (blockSize == 12) cipher = std::make_shared<test::ToyCipher<12>>();
  if (blockSize == 16) cipher = std::make_shared<test::ToyCipher<16>>();
  const std::string key = "chaining paths!!";
  cipher->Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher->Mode = mode;
  return cipher;
}

Bytes Xor(Bytes a, const Bytes& b) {
  for (std::size_t i = 0; i < a.size(); ++i) a[i] ^= b[i];
  return a;
}

// Three full blocks and a tail, chained block by block from the definition.
Bytes ExpectedCipherText(TCipher& reference, const Bytes& plain) {
  const auto bs = static_cast<std::size_t>(reference.BlockSize());
  Bytes f(reference.Feedback().begin(), reference.Feedback().end());
  Bytes out;
  std::size_t at = 0;
  for (; at + bs <= plain.size(); at += bs) {
    Bytes p(plain.begin() + at, plain.begin() + at + bs);
    Bytes c = reference.Mode == cmECB ? p : Xor(p, f);
    reference.EncryptBlock(c.data());
    out.insert(out.end(), c.begin(), c.end());
    if (reference.Mode == cmCTS) f = Xor(c, f);
    if (reference.Mode == cmCBC) f = c;
  }
  Bytes b = f;
  reference.EncryptBlock(b.data());
  for (std::size_t i = 0; at + i < plain.size(); ++i) out.push_back(plain[at + i] ^ b[i]);
  return out;
}

class BlockChaining : public ::testing::TestWithParam<std::tuple<int, TCipherMode>> {};

TEST_P(BlockChaining, MatchesTheOneBlockDefinitionInPlaceAndApart) {
  const auto [blockSize, mode] = GetParam();
  Bytes plain(static_cast<std::size_t>(3 * blockSize + 5));
  for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<std::uint8_t>(i * 37 + 1);
  const Bytes expected = ExpectedCipherText(*KeyedToy(blockSize, mode), plain);
  const int size = static_cast<int>(plain.size());

  CipherPtr apart = KeyedToy(blockSize, mode);
  Bytes out(plain.size());
  apart->EncipherBuffer(plain.data(), out.data(), size);
  EXPECT_EQ(out, expected);
  apart->Reset();
  Bytes back(plain.size());
  apart->DecipherBuffer(out.data(), back.data(), size);
  EXPECT_EQ(back, plain);

  CipherPtr inPlace = KeyedToy(blockSize, mode);
  Bytes data = plain;
  inPlace->EncipherBuffer(data.data(), data.data(), size);
  EXPECT_EQ(data, expected);
  inPlace->Reset();
  inPlace->DecipherBuffer(data.data(), data.data(), size);
  EXPECT_EQ(data, plain);
}

INSTANTIATE_TEST_SUITE_P(EveryLoop, BlockChaining,
                         ::testing::Combine(::testing::Values(8, 12, 16),
                                            ::testing::Values(cmCTS, cmCBC, cmECB)));

}  // namespace
}  // namespace hushlake
