#pragma once
// Whether deciphered bytes read as text. With the right key but the wrong
// cipher or mode, Decrypt yields random bytes. Encrypt writes every text it
// takes as UTF-8 (a text file in another code page is decoded first), and
// random bytes of any length are almost never valid UTF-8: so UTF-8 without
// NUL is always text, whatever characters it holds. Bytes that are not UTF-8
// are shown as Windows-1252, as pictures of older versions hold their texts;
// there random bytes give control characters, and far more accented letters
// and rare signs than any language writes. Real texts in any script hold
// neither.
#include <string_view>

namespace hushlake {

// How deciphered bytes became editor text.
enum class Decoded { Utf8, Windows1252 };

// The rule for deciphered bytes shown as editor text: UTF-8 without NUL
// passes; Windows-1252 is judged by LooksLikeText. Very short texts can
// pass by chance.
bool ReadsAsText(std::string_view editorText, Decoded decoded);

// The same for the bytes themselves.
bool BytesReadAsText(std::string_view deciphered);

// The judgement of Windows-1252 text (as editor text, UTF-8): no control
// characters, and accented letters and rare signs as languages use them.
bool LooksLikeText(std::string_view text);

}  // namespace hushlake
