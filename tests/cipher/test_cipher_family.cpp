// The cipher registry as the application sees it: the combo texts, display
// names and notes, the default class and the fixed order; and the key
// lengths a caller can hand the offered block ciphers.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cipher/blowfish.h"
#include "cipher/diamond2.h"
#include "cipher/gost.h"
#include "cipher/q128.h"
#include "cipher/rijndael.h"
#include "cipher/safer.h"
#include "cipher/sapphire.h"
#include "cipher/scop.h"
#include "cipher/shark.h"
#include "cipher/square.h"
#include "cipher/tea.h"
#include "cipher/three_way.h"
#include "cipher/twofish.h"
#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

class KeyLengths : public ::testing::TestWithParam<const TCipherClass*> {};

// Every key length a caller can hand in, 0 to past KeySize: DecryptBlock
// undoes EncryptBlock.
TEST_P(KeyLengths, DecryptBlockUndoesEncryptBlockForEveryKeyLength) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  const ByteString block = Sequence(static_cast<std::size_t>(cls.blockSize), 0xF0, 256 - 13);
  for (int length = 0; length <= cls.keySize + 3; ++length) {
    SCOPED_TRACE(length);
    const ByteString key =
        Sequence(static_cast<std::size_t>(length), static_cast<unsigned>(length * 31 + 1), 7);
    const ByteString encrypted = EncryptWithKey(*cipher, key, block);
    EXPECT_NE(encrypted, block);
    EXPECT_EQ(DecryptOne(*cipher, encrypted), block);
  }
}

INSTANTIATE_TEST_SUITE_P(Offered, KeyLengths,
                         ::testing::Values(&TCipher_Blowfish::Class, &TCipher_Twofish::Class,
                                           &TCipher_Rijndael::Class),
                         ShortNameOf);

// What the main window's combo box shows or a user types: short class names
// (in any case) first, then display names. The SAFER base is not registered.
struct ComboText {
  const char* text;
  const TCipherClass* cls;
};

const ComboText ComboTexts[] = {
    {"3Way", &TCipher_3Way::Class},
    {"Blowfish", &TCipher_Blowfish::Class},
    {"Gost", &TCipher_Gost::Class},
    {"Q128", &TCipher_Q128::Class},
    {"SAFER-K128", &TCipher_SAFER_K128::Class},
    {"SAFER-SK128", &TCipher_SAFER_SK128::Class},
    {"SAFER", nullptr},
    {"SCOP", &TCipher_SCOP::Class},
    {"Shark", &TCipher_Shark::Class},
    {"SHARK", &TCipher_Shark::Class},
    {"Square", &TCipher_Square::Class},
    {"SQUARE", &TCipher_Square::Class},
    {"TEA", &TCipher_TEA::Class},
    {"TEAN", &TCipher_TEAN::Class},
    {"TEA extended", &TCipher_TEAN::Class},
    {"Twofish", &TCipher_Twofish::Class},
    {"Diamond II", &TCipher_Diamond2::Class},
    {"Diamond II Lite", &TCipher_Diamond2Lite::Class},
    {"Rijndael", &TCipher_Rijndael::Class},
    {"Sapphire II", &TCipher_Sapphire::Class},
};

TEST(CipherRegistry, ComboTextsSelectTheirClasses) {
  for (const auto& [text, cls] : ComboTexts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(CipherClassByName(text), cls);
  }
}

TEST(CipherRegistry, DisplayNamesAndNotes) {
  EXPECT_EQ(CipherClassName(&TCipher_TEAN::Class), "TEA extended");
  EXPECT_EQ(CipherClassName(&TCipher_Sapphire::Class), "Sapphire II");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK40::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK64::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_SK128::Class), "Keyscheduling");
  EXPECT_EQ(CipherClassNote(&TCipher_SAFER_K128::Class), "");
}

TEST(CipherRegistry, BlowfishIsTheDefault) {
  EXPECT_EQ(DefaultCipherClass(), &TCipher_Blowfish::Class);
}

// Every class, in the fixed registration order, with its registered line
// (display name "=" note).
TEST(CipherRegistry, HoldsAllThirtyNineClassesInTheFixedOrder) {
  const std::vector<std::string> expected = {"3Way=",
                                             "Blowfish=",
                                             "Gost=",
                                             "IDEA=free for non-commercial",
                                             "Q128=",
                                             "SAFER-K40=",
                                             "SAFER-SK40=Keyscheduling",
                                             "SAFER-K64=",
                                             "SAFER-SK64=Keyscheduling",
                                             "SAFER-K128=",
                                             "SAFER-SK128=Keyscheduling",
                                             "SCOP=",
                                             "Shark=",
                                             "Square=",
                                             "TEA=",
                                             "TEA extended=",
                                             "Twofish=",
                                             "Cast 128=",
                                             "Cast 256=Patented",
                                             "DES Single 8byte=",
                                             "DES Double 8byte=",
                                             "DES Double 16byte=",
                                             "DES Triple 8byte=",
                                             "DES Triple 16byte=",
                                             "DES Triple 24byte=",
                                             "DESX",
                                             "Diamond II=",
                                             "Diamond II Lite=",
                                             "FROG=",
                                             "Mars=Patented",
                                             "Misty 1=free for non-commercial",
                                             "NewDES=",
                                             "RC2=",
                                             "RC4=Patented by RSA",
                                             "RC5=Patented by RSA",
                                             "RC6=Patented by RSA",
                                             "Rijndael=",
                                             "Sapphire II=",
                                             "Skipjack="};
  std::vector<std::string> lines;
  for (const auto& entry : CipherRegistry()) {
    // DESX carries a rights remark as its note; only its name is fixed.
    lines.push_back(entry.Name() == "DESX" ? entry.Name() : entry.line);
  }
  EXPECT_EQ(lines, expected);
  EXPECT_FALSE(CipherClassNote(CipherClassByName("DESX")).empty());
}

}  // namespace
}  // namespace hushlake::cipher_test
