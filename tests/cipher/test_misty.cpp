#include <gtest/gtest.h>

#include "cipher/misty.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// RFC 2994 section 3 (both blocks of the example) and the MISTY1 entries of
// Botan's test data (src/tests/data/block/misty.vec).
const KnownAnswer MistyVectors[] = {
    {"RFC 2994 section 3, block 1", "00112233445566778899aabbccddeeff", "0123456789abcdef",
     "8b1da5f56ab3d07c"},
    {"RFC 2994 section 3, block 2", "00112233445566778899aabbccddeeff", "fedcba9876543210",
     "04b68240b13be95d"},
    {"Botan misty.vec 3", "0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a", "0a0a0a0a0a0a0a0a",
     "dad2cffb201c00df"},
    {"Botan misty.vec 5", "0c0c0c0c0c0c0c0c0c0c0c0c0c0c0c0c", "0c0c0c0c0c0c0c0c",
     "92e00981e5350015"},
    {"Botan misty.vec 7", "0e0e0e0e0e0e0e0e0e0e0e0e0e0e0e0e", "0e0e0e0e0e0e0e0e",
     "acad6c19ae66eb41"},
    {"Botan misty.vec 9", "10101010101010101010101010101010", "1010101010101010",
     "c7a91953216f1b61"},
    {"Botan misty.vec 11", "12121212121212121212121212121212", "1212121212121212",
     "5b88eb8714b2ce08"},
    {"Botan misty.vec 13", "14141414141414141414141414141414", "1414141414141414",
     "93a4074ee9c38ae3"},
    {"Botan misty.vec 15", "16161616161616161616161616161616", "1616161616161616",
     "7efd6e05d384512f"},
    {"Botan misty.vec 17", "18181818181818181818181818181818", "1818181818181818",
     "956504e0f372d380"},
    {"Botan misty.vec 19", "1a1a1a1a1a1a1a1a1a1a1a1a1a1a1a1a", "1a1a1a1a1a1a1a1a",
     "1f8787df7582dcd0"},
    {"Botan misty.vec 21", "1c1c1c1c1c1c1c1c1c1c1c1c1c1c1c1c", "1c1c1c1c1c1c1c1c",
     "0f772431c6e54f3c"},
    {"Botan misty.vec 23", "1e1e1e1e1e1e1e1e1e1e1e1e1e1e1e1e", "1e1e1e1e1e1e1e1e",
     "7ac52498328c66be"},
    {"Botan misty.vec 25", "81818181818181818181818181818181", "8181818181818181",
     "2ffaf44121e4f834"},
    {"Botan misty.vec 27", "83838383838383838383838383838383", "8383838383838383",
     "12b62b3c7fcaa24b"},
    {"Botan misty.vec 29", "85858585858585858585858585858585", "8585858585858585",
     "c58ec8fee9dd45cf"},
    {"Botan misty.vec 31", "ffffffffffffffffffffffffffffffff", "ffffffffffffffff",
     "651f3092afa551d0"},
};

INSTANTIATE_TEST_SUITE_P(Misty, PublishedVector,
                         ::testing::ValuesIn(KnownAnswersFor(TCipher_Misty::Class, MistyVectors)),
                         KnownAnswerName);

// Short keys are zero-padded to 16 bytes.
INSTANTIATE_TEST_SUITE_P(Misty, EquivalentKeys,
                         ::testing::ValuesIn(PrefixesActAs(TCipher_Misty::Class,
                                                           Hex("00112233445566778899aabbccddeeff"),
                                                           {0, 1, 2, 9, 15}, 16)),
                         KeyCaseName);

}  // namespace
}  // namespace hushlake::cipher_test
