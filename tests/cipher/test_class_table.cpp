// Every registered cipher does what its class table entry says: it works on
// blockSize bytes and no more, uses keys up to keySize bytes and cuts longer
// ones, and keeps (and scrubs) a user area of userSize bytes. The schedule
// structs used to restate these sizes one cipher at a time.
//
// A few classes state the user area size of the class table they were first
// published with, while their schedule here is laid out differently; the
// stated figure stays, as callers may read it, and the table below names them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

// Classes whose user area is not the stated userSize bytes (see above).
constexpr std::string_view StatedUserSizeOnly[] = {
    "TCipher_1DES",      "TCipher_2DES",       "TCipher_2DDES",      "TCipher_3DES",
    "TCipher_3DDES",     "TCipher_3TDES",      "TCipher_DESX",       "TCipher_RC4",
    "TCipher_RC5",       "TCipher_RC6",        "TCipher_SAFER_K40",  "TCipher_SAFER_SK40",
    "TCipher_SAFER_K64", "TCipher_SAFER_SK64", "TCipher_SAFER_K128", "TCipher_SAFER_SK128",
    "TCipher_TEA",       "TCipher_TEAN"};

// Sapphire II draws from its key only as many bytes as shuffling the deck
// takes, so the last of keySize bytes need not count.
constexpr std::string_view ReadsLessThanKeySize[] = {"TCipher_Sapphire"};

bool Named(std::span<const std::string_view> names, const TCipherClass& cls) {
  return std::find(names.begin(), names.end(), cls.className) != names.end();
}

class ClassTable : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(ClassTable, BlockIsBlockSizeBytes) {
  const TCipherClass& cls = *GetParam();
  ASSERT_GT(cls.blockSize, 0);
  const auto size = static_cast<std::size_t>(cls.blockSize);
  CipherPtr cipher = cls.Create();
  InitWith(*cipher, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  EXPECT_EQ(cipher->BlockSize(), cls.blockSize);

  // Bytes past the block stay as they are, in both directions (a second
  // instance keyed alike deciphers, as stream ciphers move on with each block).
  const ByteString guard(16, '\x5A');
  const ByteString plain = Sequence(size, 0x10, 3);
  ByteString buffer = plain + guard;
  cipher->EncryptBlock(buffer.data());
  EXPECT_EQ(buffer.substr(size), guard);
  EXPECT_NE(buffer.substr(0, size), plain);
  CipherPtr decipher = cls.Create();
  InitWith(*decipher, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  decipher->DecryptBlock(buffer.data());
  EXPECT_EQ(buffer, plain + guard);

  // The last byte of the block is part of it.
  ByteString changed = plain;
  changed.back() = static_cast<char>(changed.back() ^ 0x80);
  CipherPtr first = cls.Create(), second = cls.Create();
  InitWith(*first, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  InitWith(*second, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  EXPECT_NE(EncryptOne(*first, changed), EncryptOne(*second, plain));
}

TEST_P(ClassTable, KeysAreCutToKeySize) {
  const TCipherClass& cls = *GetParam();
  ASSERT_GT(cls.keySize, 0);
  const auto size = static_cast<std::size_t>(cls.keySize);
  const ByteString key = Sequence(size + 9, 0xA1, 7);
  CipherPtr cipher = cls.Create();
  EXPECT_EQ(cipher->KeySize(), cls.keySize);
  const ByteString sample = CbcSample(*cipher, key.substr(0, size));
  EXPECT_EQ(ToHex(CbcSample(*cipher, key)), ToHex(sample));

  // ... and the last byte within keySize still counts.
  if (Named(ReadsLessThanKeySize, cls)) return;
  ByteString lastChanged = key.substr(0, size);
  lastChanged.back() = static_cast<char>(lastChanged.back() ^ 0x80);
  EXPECT_NE(ToHex(CbcSample(*cipher, lastChanged)), ToHex(sample));
}

TEST_P(ClassTable, UserAreaIsUserSizeBytes) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  InitWith(*cipher, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  if (Named(StatedUserSizeOnly, cls)) {
    EXPECT_GT(cipher->UserAreaSize(), 0) << "a key schedule to scrub";
    EXPECT_NE(cipher->UserAreaSize(), cls.userSize) << "now agrees: drop it from the table";
    return;
  }
  EXPECT_EQ(cipher->UserAreaSize(), cls.userSize);
}

INSTANTIATE_TEST_SUITE_P(Registered, ClassTable, ::testing::ValuesIn(RegisteredCipherClasses()),
                         ShortNameOf);

}  // namespace
}  // namespace hushlake::cipher_test
