// NewDES: no published test vectors exist, so a stored value guards the
// cipher, and the key rule is checked.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "cipher/newdes.h"
#include "crypto/string_format.h"

namespace hushlake {
namespace {

ByteString Hex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }
std::string ToHex(const ByteString& bytes) { return EncodeToFormat(bytes, FormatHEXL); }

ByteString EncryptWithKey(const ByteString& key, ByteString block) {
  TCipher_NewDES cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.EncryptBlock(block.data());
  return block;
}

ByteString DecryptWithKey(const ByteString& key, ByteString block) {
  TCipher_NewDES cipher;
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  cipher.DecryptBlock(block.data());
  return block;
}

// Computed with a separate byte-by-byte prototype of Scott's description
// (key bytes cycled over the 17 half-rounds); a guard, not a published value.
TEST(NewDes, RegressionValue) {
  const ByteString key = Hex("000102030405060708090a0b0c0d0e");
  EXPECT_EQ(ToHex(EncryptWithKey(key, Hex("0123456789abcdef"))), "4bc7e8c57312b8bf");
  EXPECT_EQ(ToHex(DecryptWithKey(key, Hex("4bc7e8c57312b8bf"))), "0123456789abcdef");
  EXPECT_EQ(ToHex(EncryptWithKey(ByteString(), ByteString(8, '\0'))), "a2176054f58b3458");
}

// The decryption key is the encryption key reordered; any key and block
// must come back, with every key byte position in play.
TEST(NewDes, DecryptUndoesEncryptForEveryKeyByte) {
  const ByteString plain = Hex("f0e1d2c3b4a59687");
  for (int position = 0; position < 15; ++position) {
    ByteString key = Hex("000102030405060708090a0b0c0d0e");
    key[static_cast<std::size_t>(position)] = static_cast<char>(0xA5);
    const ByteString encrypted = EncryptWithKey(key, plain);
    EXPECT_NE(encrypted, EncryptWithKey(Hex("000102030405060708090a0b0c0d0e"), plain))
        << "key byte " << position;
    EXPECT_EQ(DecryptWithKey(key, encrypted), plain) << "key byte " << position;
  }
}

TEST(NewDes, ZeroPadsAShortKey) {
  const ByteString plain = Hex("0123456789abcdef");
  EXPECT_EQ(EncryptWithKey(Hex("01020304050607"), plain),
            EncryptWithKey(Hex("010203040506070000000000000000"), plain));
}

}  // namespace
}  // namespace hushlake
