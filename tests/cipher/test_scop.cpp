// SCOP: the key expansion and one generator step worked by hand (the table
// moving on with every block is checked in test_all_ciphers_modes.cpp).
#include <gtest/gtest.h>

#include <array>

#include "cipher/scop.h"
#include "cipher_test_helpers.h"
#include "crypto/bytes.h"

namespace hushlake::cipher_test {
namespace {

TEST(ScopKeyExpansion, TwoByteKeyExtendsAsFibonacciModulo256) {
  const std::uint8_t key[] = {1, 2};
  const scop::Generator g = scop::ExpandKey(key, 2);
  std::uint8_t a = 1, b = 2;
  for (std::size_t n = 0; n < g.size(); ++n) {
    EXPECT_EQ(g[n], a) << n;
    const auto next = static_cast<std::uint8_t>(a + b);
    a = b;
    b = next;
  }
}

TEST(ScopKeyExpansion, OneByteKeyFillsEveryByte) {
  const std::uint8_t key[] = {0x07};
  scop::Generator expected;
  expected.fill(0x07);
  EXPECT_EQ(scop::ExpandKey(key, 1), expected);
}

// Zero coefficients become 1, 2, 3, ... in order of position; the state
// bytes 32..47 keep their zeros.
TEST(ScopKeyExpansion, FullLengthKeyOnlyReplacesZeroCoefficients) {
  std::array<std::uint8_t, 48> key{};
  for (std::size_t n = 0; n < key.size(); ++n) key[n] = static_cast<std::uint8_t>(0x40 + n);
  key[5] = key[17] = key[31] = key[40] = 0;
  scop::Generator expected = key;
  expected[5] = 1;
  expected[17] = 2;
  expected[31] = 3;
  EXPECT_EQ(scop::ExpandKey(key.data(), 48), expected);
}

TEST(ScopKeyExpansion, EmptyKeyActsAsSingleZeroByte) {
  const std::uint8_t zero[] = {0};
  const scop::Generator g = scop::ExpandKey(nullptr, 0);
  EXPECT_EQ(g, scop::ExpandKey(zero, 1));
  for (int n = 0; n < 32; ++n) EXPECT_EQ(g[n], n + 1);
  for (int n = 32; n < 48; ++n) EXPECT_EQ(g[n], 0);
}

// The same holds for the whole cipher: no key bytes act as one zero byte.
INSTANTIATE_TEST_SUITE_P(SCOP, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_SCOP::Class, ByteString(), 1)),
                         KeyCaseName);

// Worked by hand from the generator rule with x = 0x100 in every half, where
// c0*x^4 + c1*x^3 + c2*x^2 + c3*x + 1 is the bytes c1 c2 c3 01. The low
// halves take coefficients 4I+4, 4I+9, 4I+14, 4I+19, so h = 2 and h = 3 read
// bytes of X0, X1 and X2.
TEST(ScopGenerator, StepUsesOffsetsByFiveAndRecombinesTheHalves) {
  scop::Generator g{};
  for (int n = 0; n < 32; ++n) g[n] = static_cast<std::uint8_t>(n + 1);
  for (int n = 32; n < 48; n += 4) StoreLE32(g.data() + n, 0x01000100);
  std::array<std::uint32_t, 4> out{};
  scop::Step(g, out.data());
  EXPECT_EQ(out, (std::array<std::uint32_t, 4>{0x04011401, 0x0C011C01, 0x14010101, 0x1C010101}));
  EXPECT_EQ(LoadLE32(g.data() + 32), 0x01000203u);
  EXPECT_EQ(LoadLE32(g.data() + 36), 0x0A0F0A0Bu);
  EXPECT_EQ(LoadLE32(g.data() + 40), 0x12171213u);
  EXPECT_EQ(LoadLE32(g.data() + 44), 0x1A1F1A1Bu);
  for (int n = 0; n < 32; ++n) EXPECT_EQ(g[n], n + 1);  // coefficients stay
}

}  // namespace
}  // namespace hushlake::cipher_test
