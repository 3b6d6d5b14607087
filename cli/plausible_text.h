#pragma once
// Whether deciphered bytes read as text. With the right key but the wrong
// cipher or mode, Decrypt yields random bytes; shown as the editor shows them
// (UTF-8 when valid, else Windows-1252) they hold control characters, and
// in Windows-1252 far more accented letters and rare signs than any language
// writes. Real texts in any script hold neither.
#include <string_view>

namespace hushlake::cli {

// Text is editor text (UTF-8). Very short texts can pass by chance.
bool LooksLikeText(std::string_view text);

}  // namespace hushlake::cli
