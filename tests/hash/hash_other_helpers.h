#pragma once
// Small helpers shared by the tests of the HAVAL, Snefru, checksum, Sapphire
// II and Square hash classes.
#include <cstdint>
#include <string>
#include <string_view>

#include "crypto/hash_base.h"
#include "crypto/string_format.h"

namespace hushlake::testing_support {

inline std::string ToHex(std::string_view bytes) { return EncodeToFormat(bytes, FormatHEXL); }
inline ByteString FromHex(std::string_view hex) { return DecodeFromFormat(hex, FormatHEX); }

// The lower-case hex digest of Data, hashed in one Update.
inline std::string HexDigest(const THashClass& cls, std::string_view data) {
  return cls.HashString(data, nullptr, FormatHEXL);
}

// The lower-case hex digest of Data fed in pieces of PieceSize bytes.
inline std::string HexDigestInPieces(const THashClass& cls, std::string_view data,
                                     std::size_t pieceSize) {
  HashPtr hash = cls.Create();
  hash->Init();
  for (std::size_t done = 0; done < data.size(); done += pieceSize) {
    const std::string_view piece = data.substr(done, pieceSize);
    hash->Update(piece.data(), static_cast<int>(piece.size()));
  }
  hash->Final();
  return ToHex(hash->DigestBytes());
}

// Reproducible bytes that are not a simple pattern.
inline ByteString PatternBytes(std::size_t count, std::uint32_t seed = 1) {
  ByteString bytes(count, '\0');
  for (char& c : bytes) {
    seed = seed * 1103515245u + 12345u;
    c = static_cast<char>(seed >> 23);
  }
  return bytes;
}

}  // namespace hushlake::testing_support
