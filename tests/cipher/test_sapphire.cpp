// Sapphire II: the key-driven random numbers and the keyless deck (the deck
// moving on with every block is checked in test_all_ciphers_modes.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "cipher/sapphire.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

std::vector<int> Draw(sapphire::KeyRandom& random, std::uint8_t limit, int count) {
  std::vector<int> values;
  for (int n = 0; n < count; ++n) values.push_back(random.Next(limit));
  return values;
}

// A one-byte key wraps after every byte and each wrap adds the length, 1.
TEST(SapphireKeyRandom, OneByteKeyAddsItsLengthAtEveryWrap) {
  const std::uint8_t zero[] = {0};
  sapphire::KeyRandom fromZero(zero, 1);
  EXPECT_EQ(Draw(fromZero, 255, 4), (std::vector<int>{1, 2, 3, 4}));
  const std::uint8_t five[] = {5};
  sapphire::KeyRandom fromFive(five, 1);
  EXPECT_EQ(Draw(fromFive, 255, 3), (std::vector<int>{6, 12, 18}));
}

// 300 mod 256 = 44 is added when the 300-byte key wraps.
TEST(SapphireKeyRandom, LongKeyAddsTheLowByteOfItsLengthAtTheWrap) {
  const std::vector<std::uint8_t> key(300, 0);
  sapphire::KeyRandom random(key.data(), 300);
  const std::vector<int> values = Draw(random, 255, 300);
  EXPECT_EQ(std::count(values.begin(), values.end(), 0), 299);
  EXPECT_EQ(values.back(), 44);
}

// Limit 5 has the mask 7; sums 7, 14, 21 give 7, 6, 5 and 5 is in range.
TEST(SapphireKeyRandom, MasksAndAcceptsTheLimitItself) {
  const std::uint8_t key[] = {6};
  sapphire::KeyRandom random(key, 1);
  EXPECT_EQ(random.Next(5), 5);
  EXPECT_EQ(random.Sum(), 21);
}

// The key 3, 0 x 11 keeps the sum at 3 (mod 4) for eleven passes, so under the
// mask 3 it always exceeds the limit 2; the twelfth pass (sum 3 + 12 at the
// wrap) is reduced modulo the limit instead of searching forever.
TEST(SapphireKeyRandom, ReducesModuloTheLimitAfterElevenPasses) {
  std::array<std::uint8_t, 12> key{};
  key[0] = 3;
  sapphire::KeyRandom random(key.data(), 12);
  EXPECT_EQ(random.Next(2), 15 % 4 % 2);
  EXPECT_EQ(random.Sum(), 15);
}

// Worked by hand from the keyless state (cards[i] = 255 - i, indices 1, 3, 5,
// 7, 11): ratchet 1, rotor 2; cards 11, 1, 7, 2 become 254, 248, 253, 244;
// avalanche 16; the byte is XORed with cards[236] ^ cards[cards[234]] = 19 ^ 234.
TEST(SapphireCipher, EmptyKeyStartsFromTheFixedDeck) {
  const std::array<std::uint8_t, 32> iv{};
  const std::uint8_t keyA[] = "first", keyB[] = "other";
  TCipher_Sapphire a, b;
  a.Init(keyA, 0, iv.data());
  b.Init(keyB, 0, iv.data());
  a.Mode = b.Mode = cmECB;
  const ByteString sealed = Encipher(a, ByteString(32, '\0'));
  EXPECT_EQ(static_cast<std::uint8_t>(sealed[0]), 19 ^ 234);
  EXPECT_EQ(Encipher(b, ByteString(32, '\0')), sealed);
}

}  // namespace
}  // namespace hushlake::cipher_test
