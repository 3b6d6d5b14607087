// Every registered cipher in every mode, at the lengths where chaining and
// tails go wrong: the opposite direction restores the data, cipher text is
// as long as plain text, MAC modes write nothing, ProcessString round-trips
// and starts from the keyed state each time. Then the stateful ciphers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cipher/sapphire.h"
#include "cipher/scop.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

std::vector<int> LengthsFor(int blockSize) {
  return {0, 1, blockSize - 1, blockSize, blockSize + 1, 4095, 4097, 10000};
}

class EveryCipher : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(EveryCipher, RoundTripsInEveryModeAndLength) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  const std::string key = "a key for the round trip of every mode";
  for (int m = cmCTS; m <= cmCFBMAC; ++m) {
    const auto mode = static_cast<TCipherMode>(m);
    cipher->Mode = mode;
    cipher->Init(key.data(), static_cast<int>(key.size()), nullptr);
    for (int length : LengthsFor(cls.blockSize)) {
      const ByteString plain = Sequence(static_cast<std::size_t>(length), 11, 73);
      ByteString out(plain.size(), '\xEE');
      cipher->Reset();
      cipher->EncipherBuffer(plain.data(), out.data(), length);
      if (mode >= cmCTSMAC) {
        EXPECT_EQ(out, ByteString(plain.size(), '\xEE')) << "mode " << m << " length " << length;
        continue;
      }
      if (length >= 8) {
        EXPECT_NE(out, plain) << "mode " << m << " length " << length;
      }
      cipher->Reset();
      cipher->DecipherBuffer(out.data(), out.data(), length);
      EXPECT_EQ(out, plain) << "mode " << m << " length " << length;
    }
  }
}

TEST_P(EveryCipher, ProcessStringRoundTripsThroughMimeBase64) {
  CipherPtr cipher = GetParam()->Create("a key text");
  const std::string text(5000, 'q');
  for (int m = cmCTS; m <= cmOFB; ++m) {
    cipher->Mode = static_cast<TCipherMode>(m);
    const std::string encoded = cipher->ProcessString(text, caEncode, -1);
    EXPECT_EQ(cipher->ProcessString(text, caEncode, -1), encoded) << "mode " << m;
    EXPECT_EQ(cipher->ProcessString(encoded, caDecode, -1), text) << "mode " << m;
  }
}

INSTANTIATE_TEST_SUITE_P(Registered, EveryCipher, ::testing::ValuesIn(RegisteredCipherClasses()),
                         ShortNameOf);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(EveryCipher);

// Sapphire's deck and SCOP's table move on with every block. In cmECB
// (which leaves the chaining register alone) two equal blocks encipher
// differently, a second call differs from the first, and Reset brings the
// first back.
class StatefulCipher : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(StatefulCipher, StateAdvancesWithEveryBlockAndResetRestoresIt) {
  CipherPtr cipher = GetParam()->Create();
  InitWith(*cipher, ByteString("sixteen key byte"));
  cipher->Mode = cmECB;
  const auto blockSize = static_cast<std::size_t>(cipher->BlockSize());
  const ByteString zeros(2 * blockSize, '\0');
  const ByteString first = Encipher(*cipher, zeros);
  EXPECT_NE(first.substr(0, blockSize), first.substr(blockSize));
  EXPECT_NE(Encipher(*cipher, zeros), first);
  cipher->Reset();
  EXPECT_EQ(Encipher(*cipher, zeros), first);
  cipher->Reset();
  EXPECT_EQ(Decipher(*cipher, first), zeros);
}

INSTANTIATE_TEST_SUITE_P(DeckAndTable, StatefulCipher,
                         ::testing::Values(&TCipher_Sapphire::Class, &TCipher_SCOP::Class),
                         ShortNameOf);

}  // namespace
}  // namespace hushlake::cipher_test
