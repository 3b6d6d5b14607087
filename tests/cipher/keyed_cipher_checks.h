#pragma once
// Checks shared by the Shark, Square and Diamond II tests: the reference
// output procedure every offered cipher follows, and block round trips.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/string_format.h"
#include "crypto/support.h"

namespace hushlake::keyed_cipher_checks {

using Bytes = std::vector<std::uint8_t>;

inline Bytes FromHex(std::string_view hex) {
  const ByteString raw = DecodeFromFormat(hex, FormatHEX);
  return Bytes(raw.begin(), raw.end());
}

inline std::string ToHex(const Bytes& bytes) {
  return EncodeToFormat(ByteString(bytes.begin(), bytes.end()), FormatHEXL);
}

// Keyed with its own class name cut to KeySize, cmCTS, no vector: TestInput
// enciphers to the class's reference output and deciphers back after Reset.
inline void ExpectReferenceOutput(const TCipherClass& cls) {
  CipherPtr cipher = cls.Create();
  cipher->Mode = cmCTS;
  const std::string key(cls.className.substr(0, static_cast<std::size_t>(cls.keySize)));
  cipher->Init(key.data(), static_cast<int>(key.size()), nullptr);
  const Bytes input(TestInput.begin(), TestInput.end());
  Bytes output(input.size());
  cipher->EncipherBuffer(input.data(), output.data(), static_cast<int>(input.size()));
  EXPECT_EQ(ToHex(output), cls.referenceOutputHex);
  cipher->Reset();
  Bytes back(input.size());
  cipher->DecipherBuffer(output.data(), back.data(), static_cast<int>(output.size()));
  EXPECT_EQ(ToHex(back), ToHex(input));
}

inline Bytes EncryptOne(TCipher& cipher, Bytes block) {
  cipher.EncryptBlock(block.data());
  return block;
}

inline Bytes DecryptOne(TCipher& cipher, Bytes block) {
  cipher.DecryptBlock(block.data());
  return block;
}

inline void InitWith(TCipher& cipher, const Bytes& key) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
}

// A published vector: key, plain and cipher block in hexadecimal, byte 0 first.
struct BlockVector {
  const char* source;
  const char* key;
  const char* plain;
  const char* cipher;
};

inline void PrintTo(const BlockVector& v, std::ostream* os) { *os << v.source; }

inline void ExpectBlockVector(TCipher& cipher, const BlockVector& v) {
  InitWith(cipher, FromHex(v.key));
  const Bytes encrypted = EncryptOne(cipher, FromHex(v.plain));
  EXPECT_EQ(ToHex(encrypted), v.cipher);
  EXPECT_EQ(ToHex(DecryptOne(cipher, encrypted)), v.plain);
}

}  // namespace hushlake::keyed_cipher_checks
