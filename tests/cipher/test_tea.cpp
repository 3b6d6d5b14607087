// TEA and TEAN: how they depart from the published algorithms, the round
// count and short keys.
#include <gtest/gtest.h>

#include "cipher/tea.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// Published vectors of the standard algorithms (Ken Lockstone's TEA/XTEA
// page, as collected in Crypto++ TestVectors/tea.txt), words stored
// little-endian, y then z. This system's TEA and TEAN use their own round
// expressions, so even at the published cycle count they must differ.
struct StandardVector {
  const TCipherClass* cls;
  int cycles;
  KnownAnswer vector;
};

void PrintTo(const StandardVector& v, std::ostream* out) { PrintTo(v.vector, out); }

const StandardVector StandardVectors[] = {
    {&TCipher_TEA::Class,
     32,
     {"TEA test 1, 32 cycles", "00000000000000000000000000000000", "0000000000000000",
      "0a3aea4140a9ba94"}},
    {&TCipher_TEA::Class,
     32,
     {"TEA test 31, 32 cycles", "e2a89c750f3ec569da8a3860f5a170df", "07a44aac934029c5",
      "094ecbd933626392"}},
    {&TCipher_TEAN::Class,
     17,
     {"XTEA test 17, 17 cycles", "676dc808bebf652a466ebdb492698e1d", "0589479ac8781d6a",
      "da4a99f86ae7de80"}},
    {&TCipher_TEAN::Class,
     31,
     {"XTEA test 31, 31 cycles", "aa717554b117f9279389dac1aaace260", "b40da6d05c15b039",
      "3d92eba690a320af"}},
};

class TeaStandardVector : public ::testing::TestWithParam<StandardVector> {};

TEST_P(TeaStandardVector, DiffersFromThePublishedAlgorithmButRoundTrips) {
  const auto& [cls, cycles, v] = GetParam();
  CipherPtr cipher = cls->Create();
  auto& tea = dynamic_cast<TCipher_TEA&>(*cipher);
  tea.Rounds = cycles;
  const ByteString encrypted = EncryptWithKey(tea, Hex(v.key), Hex(v.plain));
  EXPECT_EQ(tea.Rounds, cycles);
  EXPECT_NE(ToHex(encrypted), v.cipher);
  EXPECT_EQ(ToHex(DecryptOne(tea, encrypted)), v.plain);
}

INSTANTIATE_TEST_SUITE_P(Lockstone, TeaStandardVector, ::testing::ValuesIn(StandardVectors));

struct RoundsCase {
  int requested;
  int used;
};

void PrintTo(const RoundsCase& c, std::ostream* out) {
  *out << c.requested << " rounds asked, " << c.used << " used";
}

// Accepted 16 to 32; 16 below the range, 32 above it.
const RoundsCase TeaRounds[] = {{0, 16},  {-3, 16}, {15, 16}, {16, 16},
                                {24, 24}, {32, 32}, {33, 32}};

class TeaSetRounds : public ::testing::TestWithParam<RoundsCase> {};

TEST_P(TeaSetRounds, InitClampsTheRoundCount) {
  for (const TCipherClass* cls : {&TCipher_TEA::Class, &TCipher_TEAN::Class}) {
    CipherPtr cipher = cls->Create();
    auto& tea = dynamic_cast<TCipher_TEA&>(*cipher);
    tea.Rounds = GetParam().requested;
    tea.Init("key", 3, nullptr);
    EXPECT_EQ(tea.Rounds, GetParam().used) << cls->className;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, TeaSetRounds, ::testing::ValuesIn(TeaRounds));

TEST(Tea, AnObjectStartsWithZeroRoundsAndRuns16) {
  TCipher_TEA defaults, explicit16;
  EXPECT_EQ(defaults.Rounds, 0);
  explicit16.Rounds = 16;
  const ByteString key = Hex("000102030405060708090a0b0c0d0e0f"), plain = Hex("0011223344556677");
  EXPECT_EQ(EncryptWithKey(defaults, key, plain), EncryptWithKey(explicit16, key, plain));
  EXPECT_EQ(defaults.Rounds, 16);
}

TEST(Tea, TheRoundCountChangesTheResult) {
  TCipher_TEAN sixteen, thirtyTwo;
  thirtyTwo.Rounds = 32;
  const ByteString key = Hex("000102030405060708090a0b0c0d0e0f"), plain = Hex("0011223344556677");
  EXPECT_NE(EncryptWithKey(sixteen, key, plain), EncryptWithKey(thirtyTwo, key, plain));
}

INSTANTIATE_TEST_SUITE_P(Tea, EquivalentKeys,
                         ::testing::Values(ZeroPaddedOrCut(TCipher_TEA::Class, Hex("0102030405"),
                                                           16)),
                         KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
