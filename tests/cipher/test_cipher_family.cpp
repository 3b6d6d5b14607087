#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "block_cipher_checks.h"
#include "cipher/blowfish.h"
#include "cipher/rijndael.h"
#include "cipher/twofish.h"
#include "crypto/registry.h"
#include "crypto/support.h"

namespace hushlake {
namespace {

using blocktest::ToHex;

const TCipherClass* const OfferedClasses[] = {
    &TCipher_Blowfish::Class,
    &TCipher_Twofish::Class,
    &TCipher_Rijndael::Class,
};

std::string ClassNameOf(const ::testing::TestParamInfo<const TCipherClass*>& info) {
  return std::string(info.param->className);
}

class CipherClass : public ::testing::TestWithParam<const TCipherClass*> {
 protected:
  const TCipherClass& Cls() const { return *GetParam(); }
};

// The reference procedure: keyed with its own class name cut to KeySize, no
// vector, cmCTS; TestInput enciphers to the reference output and deciphers
// back after Reset.
TEST_P(CipherClass, EnciphersTestInputToItsReferenceOutput) {
  CipherPtr cipher = Cls().Create();
  cipher->Mode = cmCTS;
  const std::size_t keyLength = std::min(Cls().className.size(), std::size_t(Cls().keySize));
  cipher->Init(Cls().className.data(), static_cast<int>(keyLength), nullptr);
  const ByteString input(TestInput.begin(), TestInput.end());
  ByteString output(input.size(), '\0');
  cipher->EncipherBuffer(input.data(), output.data(), static_cast<int>(input.size()));
  EXPECT_EQ(ToHex(output), Cls().referenceOutputHex);
  cipher->Reset();
  ByteString back(input.size(), '\0');
  cipher->DecipherBuffer(output.data(), back.data(), static_cast<int>(output.size()));
  EXPECT_EQ(ToHex(back), ToHex(input));
}

// Every key length a caller can hand in, 0 to past KeySize: DecryptBlock
// undoes EncryptBlock, and a key longer than KeySize acts as its first
// KeySize bytes.
TEST_P(CipherClass, DecryptBlockUndoesEncryptBlockForEveryKeyLength) {
  CipherPtr cipher = Cls().Create();
  ByteString block(static_cast<std::size_t>(Cls().blockSize), '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(0xF0 - 13 * i);
  for (int length = 0; length <= Cls().keySize + 3; ++length) {
    ByteString key(static_cast<std::size_t>(length), '\0');
    for (int i = 0; i < length; ++i) key[i] = static_cast<char>(length * 31 + i * 7 + 1);
    blocktest::InitWith(*cipher, key);
    const ByteString encrypted = blocktest::EncryptBlock(*cipher, block);
    EXPECT_NE(encrypted, block) << "key length " << length;
    EXPECT_EQ(blocktest::DecryptBlock(*cipher, encrypted), block) << "key length " << length;
  }
}

TEST_P(CipherClass, LongerKeyActsAsItsFirstKeySizeBytes) {
  ByteString key(static_cast<std::size_t>(Cls().keySize) + 9, '\0');
  for (std::size_t i = 0; i < key.size(); ++i) key[i] = static_cast<char>(i * 5 + 3);
  CipherPtr given = Cls().Create();
  CipherPtr cut = Cls().Create();
  EXPECT_EQ(
      ToHex(blocktest::CbcSample(*given, key)),
      ToHex(blocktest::CbcSample(*cut, key.substr(0, static_cast<std::size_t>(Cls().keySize)))));
}

INSTANTIATE_TEST_SUITE_P(Offered, CipherClass, ::testing::ValuesIn(OfferedClasses), ClassNameOf);

// The combo texts of the main window reach these classes by their short
// class names; Blowfish is the library default.
TEST(CipherRegistry, ComboTextsAndDefault) {
  EXPECT_EQ(CipherClassByName("Blowfish"), &TCipher_Blowfish::Class);
  EXPECT_EQ(CipherClassByName("Twofish"), &TCipher_Twofish::Class);
  EXPECT_EQ(CipherClassByName("Rijndael"), &TCipher_Rijndael::Class);
  EXPECT_EQ(DefaultCipherClass(), &TCipher_Blowfish::Class);
}

TEST(CipherRegistry, KeepsTheFixedOrder) {
  std::vector<std::string> names;
  for (const auto& entry : CipherRegistry()) names.push_back(entry.Name());
  const auto position = [&](const char* name) {
    return std::find(names.begin(), names.end(), name) - names.begin();
  };
  ASSERT_LT(position("Rijndael"), static_cast<std::ptrdiff_t>(names.size()));
  EXPECT_LT(position("Blowfish"), position("Twofish"));
  EXPECT_LT(position("Twofish"), position("Rijndael"));
}

}  // namespace
}  // namespace hushlake
