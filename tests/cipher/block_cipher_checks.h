#pragma once
// Shared steps of the block cipher tests: hex conversion, one-block known
// answers and keying from byte strings.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

#include "crypto/cipher_base.h"
#include "crypto/string_format.h"

namespace hushlake::blocktest {

inline ByteString Hex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }
inline std::string ToHex(const ByteString& bytes) { return EncodeToFormat(bytes, FormatHEXL); }

// A published single-block example; Source names where it comes from.
struct KnownAnswer {
  const char* source;
  const char* keyHex;
  const char* plainHex;
  const char* cipherHex;
};

inline std::ostream& operator<<(std::ostream& out, const KnownAnswer& v) {
  return out << v.source << " (key " << v.keyHex << ")";
}

inline void InitWith(TCipher& cipher, const ByteString& key, const void* iVector = nullptr) {
  cipher.Init(key.data(), static_cast<int>(key.size()), iVector);
}

inline ByteString EncryptBlock(TCipher& cipher, ByteString block) {
  cipher.EncryptBlock(block.data());
  return block;
}

inline ByteString DecryptBlock(TCipher& cipher, ByteString block) {
  cipher.DecryptBlock(block.data());
  return block;
}

// Encrypts the block and decrypts the result with a fresh key set-up each.
inline void ExpectKnownAnswer(TCipher& cipher, const KnownAnswer& v) {
  InitWith(cipher, Hex(v.keyHex));
  EXPECT_EQ(ToHex(EncryptBlock(cipher, Hex(v.plainHex))), v.cipherHex);
  InitWith(cipher, Hex(v.keyHex));
  EXPECT_EQ(ToHex(DecryptBlock(cipher, Hex(v.cipherHex))), v.plainHex);
}

// What the cipher keyed with Key makes of a fixed sample text in cmCBC,
// enough to tell two keys apart.
inline ByteString CbcSample(TCipher& cipher, const ByteString& key) {
  InitWith(cipher, key);
  cipher.Mode = cmCBC;
  ByteString data(64, '\0');
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 37 + 11);
  cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

}  // namespace hushlake::blocktest
