#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "stego/palette_coding.h"
#include "stego/random_source.h"
#include "stego_reference.h"
#include "stego_test_support.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

using testing_support::FakeClock;

// Known answers: the 8-bit alphabet, both ways.
struct PaletteCharacter {
  unsigned code;
  std::uint8_t symbol;
  char decoded;
};

void PrintTo(const PaletteCharacter& c, std::ostream* out) { *out << test::CharacterName(c.code); }

class PaletteCharacters : public ::testing::TestWithParam<PaletteCharacter> {};

TEST_P(PaletteCharacters, MapBothWays) {
  const PaletteCharacter& c = GetParam();
  EXPECT_EQ(PaletteAlphabet.encode[c.code], c.symbol);
  EXPECT_EQ(PaletteAlphabet.decode[c.symbol], c.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Known, PaletteCharacters,
    ::testing::Values(PaletteCharacter{'a', 1, 'a'}, PaletteCharacter{'z', 26, 'z'},
                      PaletteCharacter{'/', 27, '/'}, PaletteCharacter{'0', 28, '0'},
                      PaletteCharacter{'9', 37, '9'}, PaletteCharacter{',', 38, ','},
                      PaletteCharacter{'\'', 39, '\''}, PaletteCharacter{'.', 40, '.'},
                      PaletteCharacter{'\n', 41, '\n'}, PaletteCharacter{'\r', 42, '\r'},
                      PaletteCharacter{' ', 43, ' '}, PaletteCharacter{'?', 44, '?'},
                      PaletteCharacter{'!', 45, '!'}, PaletteCharacter{':', 46, ':'},
                      PaletteCharacter{'-', 47, '-'}, PaletteCharacter{'@', 0, ' '},
                      PaletteCharacter{'_', 0, ' '}, PaletteCharacter{'A', 0, ' '},
                      PaletteCharacter{'|', 0, ' '}, PaletteCharacter{0xE9, 0, ' '}),
    test::ByPrintedParam());

TEST(PaletteAlphabet, MarkersAndUnusedSymbols) {
  EXPECT_EQ(PaletteAlphabet.endSymbol, 48);
  EXPECT_EQ(PaletteAlphabet.separatorSymbol, 49);
  EXPECT_EQ(PaletteAlphabet.decode[49], '|');
  EXPECT_EQ(PaletteAlphabet.decode[48], ' ');
  for (int symbol = 50; symbol < 256; ++symbol) EXPECT_EQ(PaletteAlphabet.decode[symbol], ' ');
}

TEST(TextReduction, LowersAndCollapsesSpaceRuns) {
  EXPECT_EQ(ReduceText("Hello  World,   THIS is  it"), "hello world, this is it");
  EXPECT_EQ(ReduceText("    "), " ");
  EXPECT_EQ(ReduceText("a\t\tb \xA0 c"), "a\t\tb \xA0 c");  // only plain spaces collapse
  // Accented capitals lower under the Western single-byte mapping; the
  // multiplication sign has no lower case.
  EXPECT_EQ(LowerCaseAnsi("\xC9\xC0\xDE\xD7\x8A\x8C\x8E\x9F\xCB\xCD"),
            "\xE9\xE0\xFE\xD7\x9A\x9C\x9E\xFF\xEB\xED");
}

TEST(ColourDistance, KnownValues) {
  EXPECT_EQ(ColourDistance({0, 0, 0, 0}, {255, 255, 255, 0}), 5875200u);
  EXPECT_EQ(ColourDistance({10, 20, 30, 0}, {10, 20, 30, 0}), 3640u);
  EXPECT_EQ(ColourDistance({0, 0, 0, 0}, {0, 0, 0, 0}), 0u);
  EXPECT_EQ(ColourDistance({1, 2, 3, 9}, {4, 5, 6, 0}), ColourDistance({4, 5, 6, 0}, {1, 2, 3, 9}));
}

Palette RandomPalette(std::uint32_t seed) {
  std::mt19937 generator(seed);
  Palette palette{};
  for (PaletteEntry& e : palette)
    e = {static_cast<std::uint8_t>(generator()), static_cast<std::uint8_t>(generator()),
         static_cast<std::uint8_t>(generator()), 0};
  return palette;
}

Palette GreyRamp() {
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    const auto v = static_cast<std::uint8_t>(i);
    palette[i] = {v, v, v, 0};
  }
  return palette;
}

// Sixteen colours, the remaining 240 entries left black (zero).
Palette SixteenColours() {
  Palette palette{};
  for (int i = 0; i < 16; ++i)
    palette[i] = {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i * 9),
                  static_cast<std::uint8_t>(i * 5 + 40), 0};
  return palette;
}

// Colours chosen to collide: many equal distances from many centres.
Palette Clustered() {
  Palette palette{};
  for (int i = 0; i < 256; ++i)
    palette[i] = {static_cast<std::uint8_t>(120 + (i % 4)),
                  static_cast<std::uint8_t>(120 + (i / 4) % 4),
                  static_cast<std::uint8_t>(100 + (i / 16) * 2), 0};
  return palette;
}

// Random colours but one repeated: every row then meets exactly one tie.
Palette RandomWithOneRepeat() {
  Palette palette = RandomPalette(3);
  palette[200] = palette[7];
  return palette;
}

class PairTableRows : public ::testing::TestWithParam<Palette (*)()> {};

TEST_P(PairTableRows, EqualTheLiteralBuildAndInvert) {
  const Palette palette = GetParam()();
  const PairTable table(palette);
  for (int centre = 0; centre < 256; ++centre) {
    const std::array<std::uint8_t, 256> expected = reference::PairRow(palette, centre);
    for (int column = 0; column < 256; ++column) {
      const auto c = static_cast<std::uint8_t>(centre);
      const auto col = static_cast<std::uint8_t>(column);
      ASSERT_EQ(table.At(c, col), expected[column]) << "row " << centre << " column " << column;
      ASSERT_EQ(table.IndexOf(c, table.At(c, col)), column);
    }
    EXPECT_EQ(table.At(static_cast<std::uint8_t>(centre), 0), centre);
  }
}

INSTANTIATE_TEST_SUITE_P(Palettes, PairTableRows,
                         ::testing::Values(
                             +[] { return RandomPalette(1); }, +[] { return RandomPalette(2); },
                             &GreyRamp, &SixteenColours, &Clustered, &RandomWithOneRepeat,
                             +[] { return Palette{}; }));

TEST(PaletteDigits, MarkersAndZeroAroundTheMiddle) {
  const Palette palette = RandomPalette(3);
  const PairTable pairs(palette);
  std::uint8_t row[3] = {0, 77, 0};
  WritePaletteSymbol(row, 1, pairs, 0);
  EXPECT_EQ(row[0], 77);
  EXPECT_EQ(row[2], 77);
  WritePaletteSymbol(row, 1, pairs, 49);  // separator: digits 7 and 0
  EXPECT_EQ(row[2], pairs.At(77, 7));
  EXPECT_EQ(row[0], 77);
  WritePaletteSymbol(row, 1, pairs, 48);  // end marker: digits 6 and 6
  EXPECT_EQ(row[2], pairs.At(77, 6));
  EXPECT_EQ(row[0], pairs.At(77, 6));
  for (int symbol = 0; symbol < 50; ++symbol) {
    WritePaletteSymbol(row, 1, pairs, static_cast<std::uint8_t>(symbol));
    ASSERT_EQ(ReadPaletteSymbol(row, 1, pairs), symbol);
    ASSERT_EQ(row[1], 77);
  }
  row[2] = pairs.At(77, 36);  // 7 * 36 + 4 = 256: above 255 reads as 0
  row[0] = pairs.At(77, 4);
  EXPECT_EQ(ReadPaletteSymbol(row, 1, pairs), 0);
  row[0] = pairs.At(77, 3);  // 255
  EXPECT_EQ(ReadPaletteSymbol(row, 1, pairs), 255);
}

TEST(PaletteDuplicates, TwoEqualRedsMoveTheLaterOne) {
  FakeClock clock(0x500000007ull);
  Palette palette = RandomPalette(4);
  palette[5] = {255, 0, 0, 17};
  palette[9] = {255, 0, 0, 42};
  const Palette before = palette;
  EXPECT_EQ(MakePaletteDistinct(palette, clock.Random()), 2);
  // The clock gave the seed 7 (its low half); the three draws follow it.
  RandomSource expected({}, 7);
  const std::uint32_t red = 4 + expected.Below(3), green = 4 + expected.Below(3),
                      blue = 4 + expected.Below(3);
  EXPECT_EQ(palette[9],
            (PaletteEntry{static_cast<std::uint8_t>(255 - red), static_cast<std::uint8_t>(green),
                          static_cast<std::uint8_t>(blue), 42}));
  for (int i = 0; i < 256; ++i)
    if (i != 9) {
      EXPECT_EQ(palette[i], before[i]) << i;
    }
}

TEST(PaletteDuplicates, AShortPaletteBecomesFullyDistinct) {
  FakeClock clock(1);
  Palette palette = SixteenColours();
  const Palette before = palette;
  MakePaletteDistinct(palette, clock.Random());
  std::set<std::uint32_t> colours;
  for (const PaletteEntry& e : palette)
    colours.insert(std::uint32_t{e.red} << 16 | std::uint32_t{e.green} << 8 | e.blue);
  EXPECT_EQ(colours.size(), 256u);
  for (int i = 0; i <= 16; ++i) EXPECT_EQ(palette[i], before[i]) << i;  // 16 is the first black
}

}  // namespace
}  // namespace hushlake
