// Colour text in both forms and the editor's settings read back from the store.
#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "app/editor_settings.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

struct ColourCase {
  BgrColour colour;
  std::string_view text;
};

void PrintTo(const ColourCase& c, std::ostream* out) { *out << c.text; }

class ColourTextBothWays : public testing::TestWithParam<ColourCase> {};

TEST_P(ColourTextBothWays, WritesAndReadsBack) {
  EXPECT_EQ(ColourToText(GetParam().colour), GetParam().text);
  EXPECT_EQ(ColourFromText(GetParam().text), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, ColourTextBothWays,
    testing::Values(ColourCase{0x000000, "clBlack"}, ColourCase{0x0000FF, "clRed"},
                    ColourCase{0xFF0000, "clBlue"}, ColourCase{0x00FFFF, "clYellow"},
                    ColourCase{0xFFFFFF, "clWhite"}, ColourCase{0x808080, "clGray"},
                    ColourCase{0xC0C0C0, "clSilver"}, ColourCase{0xF0CAA6, "clSkyBlue"},
                    ColourCase{BgrFromRgb(220, 220, 220), "$00DCDCDC"},
                    ColourCase{BgrFromRgb(0x12, 0x34, 0x56), "$00563412"},
                    ColourCase{0x000001, "$00000001"}),
    test::ByPrintedParam());

TEST(ColourFromText, AcceptsOtherSpellings) {
  EXPECT_EQ(ColourFromText("clblack"), 0x000000u);
  EXPECT_EQ(ColourFromText("CLRED"), 0x0000FFu);
  EXPECT_EQ(ColourFromText("$dcdcdc"), 0xDCDCDCu);
  EXPECT_EQ(ColourFromText("$FF"), 0xFFu);
  EXPECT_EQ(ColourFromText("0x00FF00"), 0x00FF00u);
  EXPECT_EQ(ColourFromText("255"), 0xFFu);
}

TEST(ColourFromText, RefusesWhatIsNoColour) {
  for (std::string_view text : {"", "$", "clNoSuchColour", "$0100000F", "$FF00000F", "-1",
                                "$12G456", "16777216", " clBlack", "$00DCDCDC "}) {
    EXPECT_EQ(ColourFromText(text), std::nullopt) << text;
  }
}

TEST(BgrColour, ChannelsAreInBlueGreenRedOrder) {
  constexpr BgrColour colour = BgrFromRgb(1, 2, 3);
  EXPECT_EQ(colour, 0x030201u);
  EXPECT_EQ(RedOf(colour), 1);
  EXPECT_EQ(GreenOf(colour), 2);
  EXPECT_EQ(BlueOf(colour), 3);
}

class MemorySettings : public EditorSettingsStore {
 public:
  using Values = std::map<std::string, std::string, std::less<>>;
  bool HasGroup(std::string_view group) const override {
    return groups.contains(std::string(group));
  }
  std::optional<std::string> ReadString(std::string_view group,
                                        std::string_view name) const override {
    const auto found = groups.find(std::string(group));
    if (found == groups.end()) return std::nullopt;
    const auto value = found->second.find(name);
    if (value == found->second.end()) return std::nullopt;
    return value->second;
  }
  std::optional<int> ReadInteger(std::string_view group, std::string_view name) const override {
    const auto text = ReadString(group, name);
    if (!text) return std::nullopt;
    try {
      return std::stoi(*text);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  void WriteString(std::string_view group, std::string_view name, std::string_view value) override {
    groups[std::string(group)][std::string(name)] = std::string(value);
  }
  void WriteInteger(std::string_view group, std::string_view name, int value) override {
    WriteString(group, name, std::to_string(value));
  }
  std::map<std::string, Values> groups;
};

TEST(EditorSettings, MissingGroupsKeepWhatIsShown) {
  MemorySettings store;
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{}), EditorAppearance{});
  const EditorAppearance chosen{{"Courier New", 0x0000FF, 20}, 0xFFFFFF};
  EXPECT_EQ(ReadEditorAppearance(store, chosen), chosen);
  EXPECT_FALSE(store.HasGroup("Font"));
  EXPECT_FALSE(store.HasGroup("Background"));
}

TEST(EditorSettings, WrittenValuesReadBackInTheirTextForms) {
  MemorySettings store;
  WriteEditorFont(store, EditorFont{"DejaVu Sans", 0x0000FF, 14});
  WriteEditorBackground(store, BgrFromRgb(1, 2, 3));
  EXPECT_EQ(store.groups["Font"],
            (MemorySettings::Values{
                {"FontColour", "clRed"}, {"FontName", "DejaVu Sans"}, {"FontSize", "14"}}));
  EXPECT_EQ(store.groups["Background"], (MemorySettings::Values{{"Colour", "$00030201"}}));
  const EditorAppearance shown = ReadEditorAppearance(store, EditorAppearance{});
  EXPECT_EQ(shown, (EditorAppearance{{"DejaVu Sans", 0x0000FF, 14}, 0x030201}));
}

// The effects join the three font values once one is on, and an effect
// turned off again is written off rather than left on in the store.
TEST(EditorSettings, EffectsAreWrittenOnceOnAndReadBack) {
  MemorySettings store;
  EditorFont font{"DejaVu Sans", 0x000000, 12, true, false};
  WriteEditorFont(store, font);
  EXPECT_EQ(store.groups["Font"]["FontUnderline"], "1");
  EXPECT_EQ(store.groups["Font"]["FontStrikeOut"], "0");
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{}).font, font);
  font.underline = false;
  WriteEditorFont(store, font);
  EXPECT_EQ(store.groups["Font"]["FontUnderline"], "0");
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{}).font, font);
  font.strikeOut = true;
  WriteEditorFont(store, font);
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{}).font, font);
}

TEST(EditorSettings, AGroupLackingAValueUsesThatValuesDefault) {
  MemorySettings store;
  store.groups["Font"] = {{"FontName", "Courier New"}};
  store.groups["Background"] = {};
  const EditorAppearance current{{"Arial", 0x0000FF, 30}, 0xFFFFFF};
  EXPECT_EQ(ReadEditorAppearance(store, current),
            (EditorAppearance{{"Courier New", 0x000000, 12}, DefaultEditorBackground}));
}

TEST(EditorSettings, UnreadableValuesUseTheirDefaults) {
  MemorySettings store;
  store.groups["Font"] = {{"FontName", ""}, {"FontColour", "clNoSuchColour"}, {"FontSize", "0"}};
  store.groups["Background"] = {{"Colour", "mauve"}};
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{{"Arial", 0xFF, 30}, 0xFF}),
            EditorAppearance{});
  store.groups["Font"]["FontSize"] = "large";
  EXPECT_EQ(ReadEditorAppearance(store, EditorAppearance{}).font.pointSize, 12);
}

}  // namespace
}  // namespace hushlake
