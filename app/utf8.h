#pragma once
// UTF-8, the editor's and the key field's encoding: the one place that
// decodes, encodes and counts it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace hushlake {

constexpr bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The length of the valid UTF-8 sequence at Text's start (1 to 4) with its
// code point, or 0 for anything malformed: overlong forms, surrogates,
// values past U+10FFFF, a sequence cut short.
std::size_t DecodeUtf8(std::string_view text, char32_t& codePoint);

// The bytes UTF-8 takes for a code point, and appending them.
constexpr std::size_t Utf8Size(char32_t codePoint) {
  return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}
void AppendUtf8(std::string& out, char32_t codePoint);

bool IsValidUtf8(std::string_view bytes);

// Characters, not bytes: every byte but the continuation bytes counts.
std::int64_t CharacterCount(std::string_view utf8);

// The greatest cut at or before At that splits no character.
std::size_t CharacterBoundary(std::string_view utf8, std::size_t at);

}  // namespace hushlake
