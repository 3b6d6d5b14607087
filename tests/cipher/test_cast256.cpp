#include <gtest/gtest.h>

#include "cipher/cast256.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// RFC 2612 Appendix A (128-, 192- and 256-bit keys, zero plain text); the
// 160-bit row is not published there and agrees with Crypto++'s CAST256.
const KnownAnswer Cast256Vectors[] = {
    {"RFC 2612, 128-bit key", "2342bb9efa38542c0af75647f29f615d",
     "00000000000000000000000000000000", "c842a08972b43d20836c91d1b7530f6b"},
    {"RFC 2612, 192-bit key", "2342bb9efa38542cbed0ac83940ac298bac77a7717942863",
     "00000000000000000000000000000000", "1b386c0210dcadcbdd0e41aa08a7a7e8"},
    {"RFC 2612, 256-bit key", "2342bb9efa38542cbed0ac83940ac2988d7c47ce264908461cc1b5137ae6b604",
     "00000000000000000000000000000000", "4f6a2038286897b9c9870136553317fa"},
    {"Crypto++ CAST256, 160-bit key", "2342bb9efa38542cbed0ac83940ac2988d7c47ce",
     "00112233445566778899aabbccddeeff", "88e4eb0d7af6cd70f1646d0e78493a0d"},
};

INSTANTIATE_TEST_SUITE_P(Cast256, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Cast256::Class,
                                                             Cast256Vectors)),
                         KnownAnswerName);

// RFC 2612 pads keys shorter than 256 bits with zero words; lengths that are
// not whole words are padded the same way, byte by byte.
INSTANTIATE_TEST_SUITE_P(
    Cast256, EquivalentKeys,
    ::testing::ValuesIn(
        PrefixesActAs(TCipher_Cast256::Class,
                      Hex("2342bb9efa38542cbed0ac83940ac2988d7c47ce264908461cc1b5137ae6b604"),
                      {0, 1, 5, 16, 17, 20, 31}, 32)),
    KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
