#pragma once
// What an 8-bit picture does to a text: it has no cipher, carries the key in
// front of the text, and keeps only a small alphabet.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hushlake {

inline constexpr std::string_view PaletteNotice =
    "note: an 8-bit picture hides the text without a cipher, and the key travels in the picture "
    "in front of it: whoever knows the scheme reads both";

// The text as Decrypt gives it back from an 8-bit picture (LF line breaks).
std::string PaletteRoundTrip(std::string_view editorText);

// The first line that changes, as "\"before\" becomes \"after\"", each cut
// short; nothing when the text comes back unchanged.
std::optional<std::string> FirstPaletteChange(std::string_view editorText);

// The lines that change, each worded as FirstPaletteChange words one: how
// many change in all, and the first Shown of them.
struct PaletteChanges {
  std::size_t changedLines = 0;
  std::vector<std::string> shown;
};
PaletteChanges PaletteChangesOf(std::string_view editorText, std::size_t shown);

// The note an 8-bit Encrypt gives on such a text, one line per entry: the
// change itself when one line changes; otherwise how many lines change, the
// first five, and how many more. Nothing when the text comes back unchanged.
std::optional<std::string> PaletteChangeNote(std::string_view editorText);

}  // namespace hushlake
