#pragma once
// The window's texts in the forms a widget toolkit takes: a two-part hint
// becomes a tool tip and a status-line text, a dialog filter becomes a list
// of name filters. Front ends use these instead of parsing the texts.
#include <string>
#include <string_view>
#include <vector>

namespace hushlake {

struct HintText {
  std::string toolTip;
  std::string statusText;
};

// "short|long": the short part is the tool tip, everything after the first
// "|" the status text (a file name in it may hold "|" itself). Without a "|"
// both are the whole text.
HintText SplitHint(std::string_view hint);

// "Name|*.a;*.b|Name2|*.c" gives {"Name (*.a *.b)", "Name2 (*.c)"}. A name
// that already ends in its own pattern list ("Bitmaps (*.bmp)|*.bmp") is kept
// as it is; a name without patterns is left out; an empty name is shown as
// its patterns alone.
std::vector<std::string> DialogNameFilters(std::string_view filter);

}  // namespace hushlake
