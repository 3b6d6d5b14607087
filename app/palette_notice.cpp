#include "app/palette_notice.h"

#include <vector>

#include "app/text_encoding.h"
#include "stego/palette_coding.h"

namespace hushlake {

namespace {

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines(1);
  for (char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else
      lines.back() += c;
  }
  return lines;
}

// At most Length bytes, cut before a character's continuation bytes.
std::string Shortened(const std::string& line) {
  constexpr std::size_t Length = 48;
  if (line.size() <= Length) return line;
  std::string shortened = line.substr(0, CharacterBoundary(line, Length));
  shortened.append("...");
  return shortened;
}

}  // namespace

std::string PaletteRoundTrip(std::string_view editorText) {
  std::string carried = ReduceText(EditorTextToWindows1252(editorText));
  for (char& c : carried)
    c = PaletteAlphabet.decode[PaletteAlphabet.encode[static_cast<unsigned char>(c)]];
  return WithLocalLineBreaks(Windows1252ToEditorText(carried));
}

std::optional<std::string> FirstPaletteChange(std::string_view editorText) {
  const std::vector<std::string> before = Lines(WithLocalLineBreaks(editorText));
  const std::vector<std::string> after = Lines(PaletteRoundTrip(editorText));
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (before[i] != after[i]) {
      // Appended piece by piece: GCC 12 at -O3 misreads a chain of + here (-Wrestrict).
      std::string change = "\"";
      change.append(Shortened(before[i])).append("\" becomes \"");
      change.append(Shortened(after[i])).append("\"");
      return change;
    }
  return std::nullopt;
}

}  // namespace hushlake
