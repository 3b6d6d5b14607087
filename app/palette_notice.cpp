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

PaletteChanges PaletteChangesOf(std::string_view editorText, std::size_t shown) {
  const std::vector<std::string> before = Lines(WithLocalLineBreaks(editorText));
  const std::vector<std::string> after = Lines(PaletteRoundTrip(editorText));
  PaletteChanges changes;
  for (std::size_t i = 0; i < before.size() || i < after.size(); ++i) {
    const std::string none;
    const std::string& was = i < before.size() ? before[i] : none;
    const std::string& becomes = i < after.size() ? after[i] : none;
    if (was == becomes) continue;
    ++changes.changedLines;
    if (changes.shown.size() == shown) continue;
    // Appended piece by piece: GCC 12 at -O3 misreads a chain of + here (-Wrestrict).
    std::string change = "\"";
    change.append(Shortened(was)).append("\" becomes \"");
    change.append(Shortened(becomes)).append("\"");
    changes.shown.push_back(std::move(change));
  }
  return changes;
}

std::optional<std::string> FirstPaletteChange(std::string_view editorText) {
  PaletteChanges changes = PaletteChangesOf(editorText, 1);
  if (changes.shown.empty()) return std::nullopt;
  return std::move(changes.shown.front());
}

std::optional<std::string> PaletteChangeNote(std::string_view editorText) {
  constexpr std::size_t Shown = 5;
  const PaletteChanges changes = PaletteChangesOf(editorText, Shown);
  if (changes.changedLines == 0) return std::nullopt;
  if (changes.changedLines == 1) return "note: the text will change: " + changes.shown.front();
  std::string note =
      "note: the text will change in " + std::to_string(changes.changedLines) + " lines, " +
      (changes.changedLines > Shown ? "the first " + std::to_string(Shown) : std::string("these")) +
      ":";
  for (const std::string& change : changes.shown) note.append("\n  ").append(change);
  if (changes.changedLines > Shown)
    note.append("\n  and ").append(std::to_string(changes.changedLines - Shown)).append(" more");
  return note;
}

}  // namespace hushlake
