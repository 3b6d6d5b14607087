// The main window's three lists reach the right classes, with the right
// descriptions and labels, through the registries.
#include <gtest/gtest.h>

#include "app/text_cipher.h"
#include "crypto/managers.h"
#include "crypto/registry.h"

namespace hushlake {
namespace {

struct ListCase {
  std::string_view item;
  std::string_view className;
  std::string_view description;
};

TEST(HashList, ItemsResolveToTheirClassesAndDescriptions) {
  const ListCase cases[] = {
      {"Haval-224", "THash_Haval224", "Hash, 224bit Digestsize"},
      {"Haval-256", "THash_Haval256", "Hash, 256bit Digestsize"},
      {"MD4", "THash_MD4", "Hash, 128bit Digestsize"},
      {"MD5", "THash_MD5", "Hash, 128bit Digestsize"},
      {"RipeMD256", "THash_RipeMD256", "Hash, 256bit Digestsize"},
      {"RipeMD320", "THash_RipeMD320", "Hash, 320bit Digestsize"},
      {"Sapphire II-256", "THash_Sapphire256", "Hash, 256bit Digestsize"},
      {"Sapphire II-320", "THash_Sapphire320", "Hash, 320bit Digestsize"},
      {"SHA", "THash_SHA", "Hash, 160bit Digestsize"},
      {"SHA1", "THash_SHA1", "Hash, 160bit Digestsize"},
      {"Snefru-256", "THash_Snefru", "Hash, 256bit Digestsize"},
      {"Square", "THash_Square", "Hash, 128bit Digestsize"},
      {"Tiger", "THash_Tiger", "Hash, 192bit Digestsize"},
  };
  ASSERT_EQ(std::size(cases), HashListItems.size());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(HashListItems[i], cases[i].item);
    THashManager manager;
    manager.SetAlgorithm(cases[i].item);
    EXPECT_EQ(manager.AlgorithmClass()->className, cases[i].className) << cases[i].item;
    EXPECT_EQ(manager.Description(), cases[i].description) << cases[i].item;
  }
}

TEST(CipherList, ItemsResolveToTheirClassesAndDescriptions) {
  const ListCase cases[] = {
      {"3Way", "TCipher_3Way", "96bit Key"},
      {"Blowfish", "TCipher_Blowfish", "448bit Key"},
      {"Diamond II", "TCipher_Diamond2", "2048bit Key"},
      {"Gost", "TCipher_Gost", "256bit Key"},
      {"Q128", "TCipher_Q128", "128bit Key"},
      {"Rijndael", "TCipher_Rijndael", "256bit Key"},
      {"SAFER-K128", "TCipher_SAFER_K128", "128bit Key"},
      {"SAFER-SK128", "TCipher_SAFER_SK128", "Keyscheduling, 128bit Key"},
      {"SCOP", "TCipher_SCOP", "384bit Key"},
      {"Sapphire II", "TCipher_Sapphire", "8192bit Key"},
      {"Shark", "TCipher_Shark", "128bit Key"},
      {"Square", "TCipher_Square", "128bit Key"},
      {"TEA", "TCipher_TEA", "128bit Key"},
      {"TEAN", "TCipher_TEAN", "128bit Key"},
      {"Twofish", "TCipher_Twofish", "256bit Key"},
  };
  ASSERT_EQ(std::size(cases), CipherListItems.size());
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(CipherListItems[i], cases[i].item);
    TCipherManager manager;
    manager.SetAlgorithm(cases[i].item);
    EXPECT_EQ(manager.AlgorithmClass()->className, cases[i].className) << cases[i].item;
    EXPECT_EQ(manager.Description(), cases[i].description) << cases[i].item;
  }
}

TEST(Registries, LookupsAndDefaults) {
  EXPECT_EQ(CipherClassByName("TCipher_Blowfish"), CipherClassByName("blowfish"));
  EXPECT_EQ(CipherClassByName("BLOWFISH")->className, "TCipher_Blowfish");
  EXPECT_EQ(CipherClassByName("TEAN")->className, "TCipher_TEAN");
  EXPECT_EQ(CipherClassName(CipherClassByName("TEAN")), "TEA extended");
  EXPECT_EQ(CipherClassByName("no such cipher"), nullptr);
  EXPECT_EQ(HashClassByName("SHA")->className, "THash_SHA");

  TCipherManager ciphers;
  ciphers.SetAlgorithm("no such cipher");
  EXPECT_EQ(ciphers.Algorithm(), "Blowfish");
  THashManager hashes;
  EXPECT_EQ(hashes.Algorithm(), "Ripe Message Digest 256");
  EXPECT_EQ(hashes.Description(), "Hash, 256bit Digestsize");
}

TEST(Registries, HoldEveryClassInTheFixedOrder) {
  const std::string_view hashes[] = {
      "THash_MD4",         "THash_MD5",         "THash_SHA",
      "THash_SHA1",        "THash_RipeMD128",   "THash_RipeMD160",
      "THash_RipeMD256",   "THash_RipeMD320",   "THash_Haval128",
      "THash_Haval160",    "THash_Haval192",    "THash_Haval224",
      "THash_Haval256",    "THash_Sapphire128", "THash_Sapphire160",
      "THash_Sapphire192", "THash_Sapphire224", "THash_Sapphire256",
      "THash_Sapphire288", "THash_Sapphire320", "THash_Snefru",
      "THash_Square",      "THash_Tiger",       "THash_XOR16",
      "THash_XOR32",       "THash_CRC16_CCITT", "Thash_CRC16_Standard",
      "THash_CRC32"};
  std::vector<std::string_view> registered;
  for (const auto& entry : HashRegistry()) registered.push_back(entry.cls->className);
  EXPECT_EQ(registered, std::vector<std::string_view>(std::begin(hashes), std::end(hashes)));
  EXPECT_EQ(HashRegistry().back().line, "CRC-32=Checksum");
  EXPECT_EQ(HashRegistry().front().line, "Message Digest 4=Hash");
}

TEST(ChoiceLabel, DescribesSizesNotNames) {
  EXPECT_EQ(ChoiceLabel(CipherChoice{}),
            "Hash: 224 bit  Cipher: 96 bit Key Mode: Cipher Text Stealing");
  EXPECT_EQ(ChoiceLabel(CipherChoice{"MD5", "Blowfish", 3}),
            "Hash: 128 bit  Cipher: 448 bit Key Mode: Output Feedback");
  EXPECT_EQ(ChoiceLabel(CipherChoice{"SHA1", "SAFER-SK128", 1}),
            "Hash: 160 bit  Cipher: Keyscheduling, 128 bit Key Mode: Cipher Block Chaining");
}

TEST(TextCipher, EngineKeyIsTheFirstEightDigestBytes) {
  const CipherChoice md5{"MD5", "Blowfish", 0};
  const std::string digest =
      HashClassByName("MD5")->HashString("my secret key", nullptr, FormatHEX);
  EXPECT_EQ(DeriveEngineKey(md5, "my secret key"), digest.substr(0, 16));
  EXPECT_NE(DeriveEngineKey(md5, "My secret key"), DeriveEngineKey(md5, "my secret key"));
  EXPECT_NE(DeriveEngineKey(CipherChoice{"SHA1", "Blowfish", 0}, "my secret key"),
            DeriveEngineKey(md5, "my secret key"));
}

TEST(TextCipher, EveryChoiceEnciphersToMimeAndBack) {
  const std::string text =
      "A text with line breaks\r\nand \xC3\xBC"
      "nicode.";
  for (std::string_view hash : HashListItems) {
    for (std::string_view cipher : CipherListItems) {
      for (int mode = 0; mode < 4; ++mode) {
        const CipherChoice choice{std::string(hash), std::string(cipher), mode};
        const std::string mime = EncipherText(choice, "the secret key", text);
        ASSERT_EQ(mime.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/="),
                  std::string::npos);
        EXPECT_EQ(DecipherText(choice, "the secret key", mime), text)
            << hash << " " << cipher << " " << mode;
      }
    }
  }
}

// Capacity figures are computed from CipherTextLength, never by enciphering:
// a choice whose mode padded or prefixed would make them promise too much.
TEST(TextCipher, EveryChoiceKeepsTheLengthThatCapacityCounts) {
  const std::string text(70, 'q');
  for (std::string_view cipher : CipherListItems) {
    for (int mode = 0; mode < 4; ++mode) {
      const CipherChoice choice{std::string(HashListItems[0]), std::string(cipher), mode};
      // Lengths around every block size in the lists: 8, 16 and 32 bytes.
      for (std::size_t length : {0, 1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 65}) {
        const std::string mime = EncipherText(choice, "the secret key", text.substr(0, length));
        EXPECT_EQ(static_cast<std::int64_t>(mime.size()), CipherTextLength(length))
            << cipher << " mode " << mode << " length " << length;
      }
    }
  }
}

}  // namespace
}  // namespace hushlake
