#pragma once
// Shared steps of the cipher tests: the reference-output procedure and small
// byte helpers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/string_format.h"
#include "crypto/support.h"

namespace hushlake::test {

using Bytes = std::vector<std::uint8_t>;

inline std::string Hex(const Bytes& data) {
  return EncodeToFormat(data.data(), static_cast<int>(data.size()), FormatHEXL);
}

// Keys a fresh instance with the class name cut to KeySize, no vector, cmCTS.
inline CipherPtr KeyedWithClassName(const TCipherClass& cls) {
  CipherPtr cipher = cls.create(nullptr);
  cipher->Mode = cmCTS;
  const int size = std::min(static_cast<int>(cls.className.size()), cls.keySize);
  cipher->Init(cls.className.data(), size, nullptr);
  return cipher;
}

struct ReferenceRun {
  std::string cipherHex;  // TestInput enciphered
  Bytes roundTrip;        // that, deciphered after Reset
};

// The reference procedure: encipher TestInput, Reset, decipher it again.
inline ReferenceRun RunReferenceProcedure(const TCipherClass& cls) {
  CipherPtr cipher = KeyedWithClassName(cls);
  Bytes data(TestInput.begin(), TestInput.end());
  cipher->EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  ReferenceRun run{Hex(data), {}};
  cipher->Reset();
  cipher->DecipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  run.roundTrip = data;
  return run;
}

inline Bytes Encipher(TCipher& cipher, Bytes data) {
  cipher.EncipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

inline Bytes Decipher(TCipher& cipher, Bytes data) {
  cipher.DecipherBuffer(data.data(), data.data(), static_cast<int>(data.size()));
  return data;
}

// Count bytes 0, 1, 2, ... (mod 256) starting at First.
inline Bytes Sequence(std::size_t count, std::uint8_t first = 0) {
  Bytes data(count);
  for (std::size_t i = 0; i < count; ++i) data[i] = static_cast<std::uint8_t>(first + i);
  return data;
}

// Deciphering what was enciphered, from the same keyed state and with the
// same call lengths, gives the data back in every mode the application offers.
// The lengths leave tails so the modes also encipher while deciphering.
inline void ExpectRoundTripInOfferedModes(TCipher& cipher) {
  const Bytes plain = Sequence(1000, 7);
  for (TCipherMode mode : {cmCTS, cmCBC, cmCFB, cmOFB}) {
    SCOPED_TRACE(static_cast<int>(mode));
    cipher.Mode = mode;
    cipher.Reset();
    const Bytes sealed = Encipher(cipher, plain);
    EXPECT_NE(sealed, plain);
    cipher.Reset();
    EXPECT_EQ(Decipher(cipher, sealed), plain);
  }
}

}  // namespace hushlake::test
