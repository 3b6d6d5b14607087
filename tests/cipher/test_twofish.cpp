// Twofish: the parts shared with the published algorithm against the
// paper's vectors, where this system's key schedule departs from it, and how
// keys of other lengths act.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "cipher/twofish.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

using detail::TwofishOddWords;
using detail::TwofishSchedule;

// The Twofish paper's iterated test vectors (Schneier et al. 1998, also in
// Crypto++ TestData/twofishv.dat). They hold for the algorithm as published,
// which shares everything with this system's Twofish but the odd
// expanded-key words.
const KnownAnswer PublishedTwofishVectors[] = {
    {"128-bit key, step 1", "00000000000000000000000000000000", "00000000000000000000000000000000",
     "9f589f5cf6122c32b6bfec2f2ae8c35a"},
    {"128-bit key, step 2", "9f589f5cf6122c32b6bfec2f2ae8c35a", "d491db16e7b1c39e86cb086b789f5419",
     "019f9809de1711858faac3a3ba20fbc3"},
    {"192-bit key, step 1", "000000000000000000000000000000000000000000000000",
     "00000000000000000000000000000000", "efa71f788965bd4453f860178fc19101"},
    {"192-bit key, later step", "88b2b2706b105e36b446bb6d731a1e88efa71f788965bd44",
     "39da69d6ba4997d585b6dc073ca341b2", "182b02d81497ea45f9daacdc29193a65"},
    {"256-bit key, later step", "d43bb7556ea32e46f2a282b7d45b4e0d57ff739d4dc92c1bd7fc01700cc8216f",
     "90afe91bb288544f2c32dc239b2635e6", "6cb4561c40bf0a9705931cb6d408e7fa"},
};

TwofishSchedule Expand(const ByteString& key, TwofishOddWords rule) {
  TwofishSchedule schedule{};
  detail::ExpandTwofishKey(BytesOf(key), static_cast<int>(key.size()), rule, schedule);
  return schedule;
}

class PublishedTwofish : public ::testing::TestWithParam<KnownAnswer> {};

// The block function, the S-box tables built from q0, q1, MDS and RS, and the
// schedule with the published odd-word rule reproduce the paper.
TEST_P(PublishedTwofish, SharedPartsReproduceThePaper) {
  const KnownAnswer& v = GetParam();
  const TwofishSchedule schedule = Expand(Hex(v.key), TwofishOddWords::Published);
  ByteString block = Hex(v.plain);
  detail::EncryptTwofishBlock(schedule, block.data());
  EXPECT_EQ(ToHex(block), v.cipher);
  detail::DecryptTwofishBlock(schedule, block.data());
  EXPECT_EQ(ToHex(block), v.plain);
}

INSTANTIATE_TEST_SUITE_P(PaperVectors, PublishedTwofish,
                         ::testing::ValuesIn(PublishedTwofishVectors));

// With the all-zero key this system's schedule agrees with the published one
// in every even word and in no odd word, so the all-zero block does not
// give the paper's value.
TEST(Twofish, OnlyTheOddKeyWordsDepartFromThePublishedSchedule) {
  const ByteString zeroKey(16, '\0');
  const TwofishSchedule ours = Expand(zeroKey, TwofishOddWords::Halved);
  const TwofishSchedule published = Expand(zeroKey, TwofishOddWords::Published);
  EXPECT_EQ(published.subkeys[0], 0x52C54DDEu);  // the paper's intermediate values
  EXPECT_EQ(published.subkeys[1], 0x11F0626Du);
  for (int i = 0; i < 40; i += 2) {
    EXPECT_EQ(ours.subkeys[i], published.subkeys[i]) << "word " << i;
    EXPECT_NE(ours.subkeys[i + 1], published.subkeys[i + 1]) << "word " << i + 1;
  }
  EXPECT_TRUE(std::equal(&ours.sbox[0][0], &ours.sbox[0][0] + 4 * 256, &published.sbox[0][0]));

  TCipher_Twofish cipher;
  const ByteString block = EncryptWithKey(cipher, zeroKey, ByteString(16, '\0'));
  EXPECT_NE(ToHex(block), PublishedTwofishVectors[0].cipher);
  EXPECT_EQ(DecryptOne(cipher, block), ByteString(16, '\0'));
}

// Keys between the three schedule lengths are zero-padded to the next one;
// keys past 32 bytes are cut to 32.
INSTANTIATE_TEST_SUITE_P(Twofish, EquivalentKeys,
                         ::testing::ValuesIn(KeysBetween16And32Bytes(TCipher_Twofish::Class)),
                         KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
