#pragma once
// The text editor's font and background as the settings store keeps them,
// and the rules for reading them back.
#include <string>

#include "app/colour_text.h"
#include "app/editor_ports.h"

namespace hushlake {

namespace editor_settings {
inline constexpr std::string_view FontGroup = "Font";
inline constexpr std::string_view FontName = "FontName";
inline constexpr std::string_view FontColour = "FontColour";
inline constexpr std::string_view FontSize = "FontSize";
// Our own, beside the three values above: the font dialog's effects, 1 when on.
inline constexpr std::string_view FontUnderline = "FontUnderline";
inline constexpr std::string_view FontStrikeOut = "FontStrikeOut";
inline constexpr std::string_view BackgroundGroup = "Background";
inline constexpr std::string_view BackgroundColour = "Colour";
}  // namespace editor_settings

struct EditorFont {
  std::string name = "Times New Roman";
  BgrColour colour = 0x000000;
  int pointSize = 12;
  bool underline = false;
  bool strikeOut = false;
  bool operator==(const EditorFont&) const = default;
};

inline constexpr BgrColour DefaultEditorBackground = BgrFromRgb(220, 220, 220);

struct EditorAppearance {
  EditorFont font;
  BgrColour background = DefaultEditorBackground;
  bool operator==(const EditorAppearance&) const = default;
};

// The appearance to show. A missing group keeps what the editor shows now
// (the first defaults, or a choice the store could not keep); a group that
// lacks a value, or holds one that cannot be read, uses that value's default.
EditorAppearance ReadEditorAppearance(const EditorSettingsStore& store,
                                      const EditorAppearance& current);

// Both write every value of their group, creating it when missing; the
// effects only once one of them has been on, so a store that never saw
// them keeps just the three font values.
void WriteEditorFont(EditorSettingsStore& store, const EditorFont& font);
void WriteEditorBackground(EditorSettingsStore& store, BgrColour background);

}  // namespace hushlake
