// Every registered cipher does what its class table entry says: it works on
// blockSize bytes and no more, uses keys up to keySize bytes and cuts longer
// ones, and keeps (and scrubs) a user area of userSize bytes. The schedule
// structs used to restate these sizes one cipher at a time.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "cipher_test_helpers.h"

namespace hushlake::cipher_test {
namespace {

class ClassTable : public ::testing::TestWithParam<const TCipherClass*> {};

TEST_P(ClassTable, BlockIsBlockSizeBytes) {
  const TCipherClass& cls = *GetParam();
  ASSERT_GT(cls.blockSize, 0);
  const auto size = static_cast<std::size_t>(cls.blockSize);
  CipherPtr cipher = cls.Create();
  InitWith(*cipher, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  EXPECT_EQ(cipher->BlockSize(), cls.blockSize);

  // Bytes past the block stay as they are, in both directions.
  const ByteString guard(16, '\x5A');
  const ByteString plain = Sequence(size, 0x10, 3);
  ByteString buffer = plain + guard;
  cipher->EncryptBlock(buffer.data());
  EXPECT_EQ(buffer.substr(size), guard);
  EXPECT_NE(buffer.substr(0, size), plain);
  cipher->DecryptBlock(buffer.data());
  EXPECT_EQ(buffer, plain + guard);

  // The last byte of the block is part of it.
  ByteString changed = plain;
  changed.back() = static_cast<char>(changed.back() ^ 0x80);
  EXPECT_NE(EncryptOne(*cipher, changed), EncryptOne(*cipher, plain));
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
  ByteString lastChanged = key.substr(0, size);
  lastChanged.back() = static_cast<char>(lastChanged.back() ^ 0x80);
  EXPECT_NE(ToHex(CbcSample(*cipher, lastChanged)), ToHex(sample));
}

TEST_P(ClassTable, UserAreaIsUserSizeBytes) {
  const TCipherClass& cls = *GetParam();
  CipherPtr cipher = cls.Create();
  EXPECT_EQ(cipher->UserAreaSize(), cls.userSize);
  InitWith(*cipher, Sequence(static_cast<std::size_t>(cls.keySize), 0x35, 11));
  EXPECT_EQ(cipher->UserAreaSize(), cls.userSize);
}

INSTANTIATE_TEST_SUITE_P(Registered, ClassTable, ::testing::ValuesIn(RegisteredCipherClasses()),
                         ShortNameOf);

}  // namespace
}  // namespace hushlake::cipher_test
