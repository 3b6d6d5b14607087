// Every registered class that states a reference output reproduces it: keyed
// with its own class name cut to KeySize, no vector, cmCTS, TestInput
// enciphers to the reference output and deciphers back after Reset.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cipher_test_helpers.h"
#include "crypto/self_test.h"
#include "crypto/support.h"

namespace hushlake::cipher_test {
namespace {

std::vector<const TCipherClass*> ClassesWithReferenceOutput() {
  std::vector<const TCipherClass*> classes = RegisteredCipherClasses();
  std::erase_if(classes, [](const TCipherClass* cls) { return cls->referenceOutputHex.empty(); });
  return classes;
}

class ReferenceOutput : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(ReferenceOutput, EnciphersTestInputAndDeciphersItAfterReset) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  cipher->Mode = cmCTS;
  const auto keyLength = std::min(cls.className.size(), static_cast<std::size_t>(cls.keySize));
  InitWith(*cipher, ByteString(cls.className.substr(0, keyLength)));
  const ByteString input(TestInput.begin(), TestInput.end());
  const ByteString output = Encipher(*cipher, input);
  EXPECT_EQ(ToHex(output), cls.referenceOutputHex);
  EXPECT_EQ(output, cls.ReferenceOutput());
  cipher->Reset();
  EXPECT_EQ(ToHex(Decipher(*cipher, output)), ToHex(input));
}

INSTANTIATE_TEST_SUITE_P(Registered, ReferenceOutput,
                         ::testing::ValuesIn(ClassesWithReferenceOutput()), ShortNameOf);

// The classes the application offers must each state one, or the check
// above would pass them over without a word.
TEST(ReferenceOutput, EveryOfferedCipherStatesOne) {
  const char* const offered[] = {"TCipher_3Way",       "TCipher_Blowfish",    "TCipher_Diamond2",
                                 "TCipher_Gost",       "TCipher_Q128",        "TCipher_Rijndael",
                                 "TCipher_SAFER_K128", "TCipher_SAFER_SK128", "TCipher_SCOP",
                                 "TCipher_Sapphire",   "TCipher_Shark",       "TCipher_Square",
                                 "TCipher_TEA",        "TCipher_TEAN",        "TCipher_Twofish"};
  for (const char* name : offered) {
    SCOPED_TRACE(name);
    const TCipherClass* cls = CipherClassByName(name);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->className, name);
    EXPECT_FALSE(cls->referenceOutputHex.empty());
  }
}

// The self-test the tool and the windows run: one line per registered class,
// every class with a reference value checked and passing.
TEST(SelfTest, ChecksEveryRegisteredClassAndPasses) {
  std::ostringstream out;
  EXPECT_TRUE(RunReferenceChecks(out));
  const std::string report = out.str();
  EXPECT_EQ(report.find("FAILED"), std::string::npos) << report;
  int withReference = 0;
  for (const auto& entry : HashRegistry()) {
    if (entry.cls->referenceDigestHex.empty()) continue;
    ++withReference;
    EXPECT_NE(report.find("ok      " + std::string(entry.cls->className) + "\n"),
              std::string::npos);
  }
  for (const auto& entry : CipherRegistry()) {
    if (entry.cls->referenceOutputHex.empty()) continue;
    ++withReference;
    EXPECT_NE(report.find("ok      " + std::string(entry.cls->className) + "\n"),
              std::string::npos);
  }
  EXPECT_NE(report.find(std::to_string(withReference) + " classes checked, 0 failed\n"),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace hushlake::cipher_test
