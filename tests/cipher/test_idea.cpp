// IDEA: the published vectors, the modular arithmetic under them and how a
// short key acts.
#include <gtest/gtest.h>

#include <cstdint>

#include "cipher/idea.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// X. Lai and J. L. Massey's example (key 0001 0002 ... 0008) and Crypto++
// TestData/ideaval.dat; big-endian 16-bit words, byte 0 first.
const KnownAnswer IdeaVectors[] = {
    {"Lai-Massey 1", "00010002000300040005000600070008", "0000000100020003", "11fbed2b01986de5"},
    {"Lai-Massey 2", "00010002000300040005000600070008", "0019324b647d96af", "9f0a0ab6e10ced78"},
    {"Lai-Massey 3", "00010002000300040005000600070008", "fae6d2beaa96826e", "85df52005608193d"},
    {"Lai-Massey 4", "00010002000300040005000600070008", "050a0f14191e2328", "7b7314925de59c09"},
    {"ideaval.dat 1", "3a984e2000195db32ee501c8c47cea60", "0102030405060708", "97bcd8200780da86"},
    {"ideaval.dat 2", "9d4075c103bc322afb03e7be6ab30006", "0808080808080808", "f5db1ac45e5ef9f9"},
};

INSTANTIATE_TEST_SUITE_P(IDEA, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_IDEA::Class, IdeaVectors)),
                         KnownAnswerName);

INSTANTIATE_TEST_SUITE_P(IDEA, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_IDEA::Class,
                                                           Hex("0102030405060708090a0b0c"), 16)),
                         KeyCaseName);

// Against plain modular arithmetic, with 0 standing for 65536.
TEST(IdeaArithmetic, MultiplyIsMultiplicationModulo65537) {
  const auto value = [](std::uint32_t word) { return word == 0 ? 65536u : word; };
  const std::uint16_t samples[] = {0, 1, 2, 3, 255, 256, 0x7FFF, 0x8000, 0xFFFE, 0xFFFF, 0x1234};
  for (std::uint16_t a : samples) {
    for (std::uint16_t b : samples) {
      const std::uint64_t expected = std::uint64_t{value(a)} * value(b) % 65537;
      EXPECT_EQ(value(idea::Multiply(a, b)), expected) << a << " * " << b;
    }
  }
}

TEST(IdeaArithmetic, EveryWordTimesItsInverseIsOne) {
  for (std::uint32_t x = 0; x <= 0xFFFF; ++x) {
    const auto word = static_cast<std::uint16_t>(x);
    ASSERT_EQ(idea::Multiply(word, idea::MultiplicativeInverse(word)), 1) << x;
  }
}

TEST(IdeaRegistry, RegisteredUnderItsNameWithItsNote) {
  EXPECT_EQ(CipherClassByName("IDEA"), &TCipher_IDEA::Class);
  EXPECT_EQ(CipherClassNote(&TCipher_IDEA::Class), "free for non-commercial");
}

}  // namespace
}  // namespace hushlake::cipher_test
