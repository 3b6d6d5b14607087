#pragma once
// What a sealed picture carries before sealing: a text, or a file with its
// name, as one zlib (RFC 1950) stream of
//   kind (1 byte: 0 text, 1 file) | name length N (1 byte) | N bytes of name (UTF-8) | content.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "crypto/secret.h"

namespace hushlake::sealed {

inline constexpr std::size_t kMaxNameBytes = 255;
// A record that inflates past this is refused instead of filling the memory.
inline constexpr std::size_t kMaxContentBytes = std::size_t{512} << 20;

struct SealedContent {
  bool isFile = false;
  std::string name;  // empty for a text
  SecretBytes bytes;
};

// The compressed record; throws std::invalid_argument for a name over 255 bytes.
SecretBytes PackContent(const SealedContent& content);
// Nothing when the bytes are not a whole record.
std::optional<SealedContent> UnpackContent(std::span<const std::uint8_t> packed);

}  // namespace hushlake::sealed
