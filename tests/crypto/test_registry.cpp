#include <gtest/gtest.h>

#include "crypto/managers.h"
#include "crypto/registry.h"
#include "toy_algorithms.h"

namespace hushlake {
namespace {

using test::ToyCipher;
using test::ToyHash;

// Registers the stand-ins once; they go after whatever the families hold.
class RegistryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterHashClass(&ToyHash::Class, ToyHash::Class.displayName, ToyHash::Class.category);
    RegisterCipherClass(&ToyCipher<8>::Class, ToyCipher<8>::Class.displayName,
                        ToyCipher<8>::Class.note);
    RegisterCipherClass(&ToyCipher<12>::Class, "  ", "");
  }
};

TEST_F(RegistryTest, ShortClassNames) {
  EXPECT_EQ(ShortClassName("THash_MD5"), "MD5");
  EXPECT_EQ(ShortClassName("TCipher_SAFER_SK128"), "SAFER_SK128");
  EXPECT_EQ(ShortClassName("NoUnderscore"), "NoUnderscore");
}

TEST_F(RegistryTest, LooksUpByShortClassNameThenDisplayNameIgnoringCase) {
  EXPECT_EQ(CipherClassByName("TCipher_ToyEight"), &ToyCipher<8>::Class);
  EXPECT_EQ(CipherClassByName("toyeight"), &ToyCipher<8>::Class);
  EXPECT_EQ(CipherClassByName("TOY EIGHT"), &ToyCipher<8>::Class);
  EXPECT_EQ(CipherClassByName("no such cipher"), nullptr);
  EXPECT_EQ(HashClassByName("Toy Hash"), &ToyHash::Class);
  EXPECT_EQ(HashClassByName("THash_Toy"), &ToyHash::Class);
}

TEST_F(RegistryTest, BlankNamesComeFromTheClassName) {
  EXPECT_EQ(CipherClassName(&ToyCipher<12>::Class), "ToyTwelve");
  EXPECT_EQ(CipherClassName(&ToyCipher<8>::Class), "Toy Eight");
  EXPECT_EQ(CipherClassNote(&ToyCipher<8>::Class), "Testing only");
}

TEST_F(RegistryTest, RegisteringAgainReplacesTheLineInPlace) {
  const auto before = CipherRegistry();
  RegisterCipherClass(&ToyCipher<8>::Class, "Toy Renamed", "note");
  const auto& after = CipherRegistry();
  ASSERT_EQ(after.size(), before.size());
  for (std::size_t i = 0; i < after.size(); ++i) {
    EXPECT_EQ(after[i].cls, before[i].cls);
    if (after[i].cls == &ToyCipher<8>::Class) {
      EXPECT_EQ(after[i].line, "Toy Renamed=note");
    }
  }
  RegisterCipherClass(&ToyCipher<8>::Class, ToyCipher<8>::Class.displayName,
                      ToyCipher<8>::Class.note);
}

TEST_F(RegistryTest, UnregisteredClassesShowTheirShortName) {
  static const TCipherClass loose = {.className = "TCipher_Loose",
                                     .displayName = "",
                                     .note = "",
                                     .blockSize = 8,
                                     .keySize = 8,
                                     .userSize = 0,
                                     .referenceOutputHex = "",
                                     .create = nullptr};
  EXPECT_EQ(CipherClassName(&loose), "Loose");
  EXPECT_EQ(CipherClassNote(&loose), "");
}

TEST_F(RegistryTest, ManagersDescribeAndKeyTheirCipher) {
  THashManager hashes;
  hashes.SetAlgorithm("Toy Hash");
  EXPECT_EQ(hashes.Algorithm(), "Toy Hash");
  EXPECT_EQ(hashes.Description(), "Hash, 64bit Digestsize");

  TCipherManager ciphers;
  ciphers.SetAlgorithm("TOY EIGHT");
  EXPECT_EQ(ciphers.Description(), "Testing only, 128bit Key");
  ciphers.SetMode(cmCBC);
  ciphers.SetHashManager(&hashes);
  ciphers.InitKey("0123456789ABCDEF");
  EXPECT_EQ(ciphers.CipherObject().Mode, cmCBC);
  EXPECT_EQ(ciphers.CipherObject().KeyHashClass(), &ToyHash::Class);
  ciphers.SetMode(cmOFB);
  EXPECT_EQ(ciphers.CipherObject().Mode, cmOFB);

  EXPECT_EQ(ciphers.EncipherString(""), "");
  const std::string secret = "the text to hide";
  const std::string mime = ciphers.EncipherString(secret);
  EXPECT_NE(mime, secret);
  EXPECT_EQ(ciphers.DecipherString(mime), secret);
}

TEST_F(RegistryTest, ChangingTheCipherClassDropsTheKeyedObject) {
  THashManager hashes;
  hashes.SetAlgorithmClass(&ToyHash::Class);
  TCipherManager ciphers;
  ciphers.SetHashManager(&hashes);
  ciphers.SetAlgorithmClass(&ToyCipher<8>::Class);
  ciphers.InitKey("key");
  EXPECT_TRUE(ciphers.CipherObject().Initialized());
  ciphers.SetAlgorithmClass(&ToyCipher<12>::Class);
  EXPECT_FALSE(ciphers.CipherObject().Initialized());
  EXPECT_THROW(ciphers.EncipherString("x"), ECipherException);
}

TEST_F(RegistryTest, ACipherManagerForgetsADestroyedHashManager) {
  TCipherManager ciphers;
  {
    THashManager hashes;
    ciphers.SetHashManager(&hashes);
    EXPECT_EQ(ciphers.HashManager(), &hashes);
  }
  EXPECT_EQ(ciphers.HashManager(), nullptr);
}

}  // namespace
}  // namespace hushlake
