#pragma once
// Shared checks of the cipher tests: the reference-output procedure every
// cipher class follows, and one-block known answers.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "crypto/cipher_base.h"
#include "crypto/string_format.h"
#include "crypto/support.h"

namespace hushlake::testing {

inline ByteString Hex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }
inline std::string ToHex(const ByteString& bytes) { return EncodeToFormat(bytes, FormatHEXL); }

// Keyed with its own class name cut to KeySize, cmCTS, no vector: TestInput
// enciphers to the class's reference output and deciphers back after Reset.
inline void ExpectReferenceOutput(const TCipherClass& cls) {
  CipherPtr cipher = cls.Create();
  cipher->Mode = cmCTS;
  const std::string key(cls.className.substr(0, static_cast<std::size_t>(cls.keySize)));
  cipher->Init(key.data(), static_cast<int>(key.size()), nullptr);
  const ByteString input(reinterpret_cast<const char*>(TestInput.data()), TestInput.size());
  ByteString output(input.size(), '\0');
  cipher->EncipherBuffer(input.data(), output.data(), static_cast<int>(input.size()));
  EXPECT_EQ(ToHex(output), cls.referenceOutputHex);
  EXPECT_EQ(output, cls.ReferenceOutput());
  cipher->Reset();
  ByteString back(input.size(), '\0');
  cipher->DecipherBuffer(output.data(), back.data(), static_cast<int>(output.size()));
  EXPECT_EQ(ToHex(back), ToHex(input));
}

// Names a test parameter after the class: "TCipher_SAFER_K128" -> "SAFER_K128".
struct ClassParamName {
  std::string operator()(const ::testing::TestParamInfo<const TCipherClass*>& param) const {
    return std::string(param.param->className.substr(param.param->className.find('_') + 1));
  }
};

// One block in place through EncryptBlock and back through DecryptBlock.
inline ByteString EncryptOneBlock(TCipher& cipher, const ByteString& plain) {
  ByteString block = plain;
  cipher.EncryptBlock(block.data());
  return block;
}
inline ByteString DecryptOneBlock(TCipher& cipher, const ByteString& encrypted) {
  ByteString block = encrypted;
  cipher.DecryptBlock(block.data());
  return block;
}

// Keys Cipher with Key (no vector) and returns the encryption of Plain.
inline ByteString EncryptWithKey(TCipher& cipher, const ByteString& key, const ByteString& plain) {
  cipher.Init(key.data(), static_cast<int>(key.size()), nullptr);
  return EncryptOneBlock(cipher, plain);
}

}  // namespace hushlake::testing
