#include "app/editor_settings.h"

namespace hushlake {
namespace {

// Sizes outside this range come from a damaged store, never from the font
// dialog, and would make the editor unusable.
constexpr int kSmallestPointSize = 1;
constexpr int kLargestPointSize = 1638;

EditorFont ReadFont(const EditorSettingsStore& store) {
  using namespace editor_settings;
  const EditorFont defaults;
  EditorFont font;
  if (auto name = store.ReadString(FontGroup, FontName); name && !name->empty()) font.name = *name;
  if (auto text = store.ReadString(FontGroup, FontColour)) {
    font.colour = ColourFromText(*text).value_or(defaults.colour);
  }
  if (auto size = store.ReadInteger(FontGroup, FontSize);
      size && *size >= kSmallestPointSize && *size <= kLargestPointSize) {
    font.pointSize = *size;
  }
  font.underline = store.ReadInteger(FontGroup, FontUnderline).value_or(0) != 0;
  font.strikeOut = store.ReadInteger(FontGroup, FontStrikeOut).value_or(0) != 0;
  return font;
}

}  // namespace

EditorAppearance ReadEditorAppearance(const EditorSettingsStore& store,
                                      const EditorAppearance& current) {
  using namespace editor_settings;
  EditorAppearance shown = current;
  if (store.HasGroup(FontGroup)) shown.font = ReadFont(store);
  if (store.HasGroup(BackgroundGroup)) {
    const auto text = store.ReadString(BackgroundGroup, BackgroundColour);
    shown.background =
        text ? ColourFromText(*text).value_or(DefaultEditorBackground) : DefaultEditorBackground;
  }
  return shown;
}

void WriteEditorFont(EditorSettingsStore& store, const EditorFont& font) {
  using namespace editor_settings;
  store.WriteString(FontGroup, FontName, font.name);
  store.WriteString(FontGroup, FontColour, ColourToText(font.colour));
  store.WriteInteger(FontGroup, FontSize, font.pointSize);
  // An effect turned off must overwrite the value that turned it on.
  const bool effectsStored = store.ReadInteger(FontGroup, FontUnderline).has_value() ||
                             store.ReadInteger(FontGroup, FontStrikeOut).has_value();
  if (font.underline || font.strikeOut || effectsStored) {
    store.WriteInteger(FontGroup, FontUnderline, font.underline ? 1 : 0);
    store.WriteInteger(FontGroup, FontStrikeOut, font.strikeOut ? 1 : 0);
  }
}

void WriteEditorBackground(EditorSettingsStore& store, BgrColour background) {
  store.WriteString(editor_settings::BackgroundGroup, editor_settings::BackgroundColour,
                    ColourToText(background));
}

}  // namespace hushlake
