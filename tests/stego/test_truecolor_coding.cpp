#include <gtest/gtest.h>

#include <array>
#include <string>

#include "stego/truecolor_coding.h"
#include "tests/common/case_names.h"

namespace hushlake {
namespace {

// Known answers: entries of the channel-choice table.
struct QuadEntry {
  std::size_t index;
  ChannelQuad quad;
};

void PrintTo(const QuadEntry& e, std::ostream* out) { *out << "Entry" << e.index; }

class ChannelTableEntries : public ::testing::TestWithParam<QuadEntry> {};

TEST_P(ChannelTableEntries, AreTheLexicographicQuadruples) {
  EXPECT_EQ(ChannelTable[GetParam().index], GetParam().quad);
}

INSTANTIATE_TEST_SUITE_P(Known, ChannelTableEntries,
                         ::testing::Values(QuadEntry{0, {0, 1, 2, 3}}, QuadEntry{1, {0, 1, 2, 4}},
                                           QuadEntry{2, {0, 1, 2, 5}}, QuadEntry{3, {0, 1, 3, 2}},
                                           QuadEntry{12, {0, 2, 1, 3}}, QuadEntry{49, {0, 5, 1, 3}},
                                           QuadEntry{60, {1, 0, 2, 3}},
                                           QuadEntry{359, {5, 4, 3, 2}}),
                         test::ByPrintedParam());

// Known answers: the character to symbol table and back.
struct CharacterSymbol {
  unsigned code;
  std::uint8_t symbol;
  char decoded;
};

void PrintTo(const CharacterSymbol& c, std::ostream* out) { *out << test::CharacterName(c.code); }

class TrueColorCharacters : public ::testing::TestWithParam<CharacterSymbol> {};

TEST_P(TrueColorCharacters, MapBothWays) {
  const CharacterSymbol& c = GetParam();
  EXPECT_EQ(TrueColorAlphabet.encode[c.code], c.symbol);
  EXPECT_EQ(TrueColorAlphabet.decode[c.symbol], c.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Known, TrueColorCharacters,
    ::testing::Values(CharacterSymbol{' ', 0, ' '}, CharacterSymbol{'0', 16, '0'},
                      CharacterSymbol{'~', 94, '~'}, CharacterSymbol{'\n', 95, '\n'},
                      CharacterSymbol{'\r', 96, '\r'}, CharacterSymbol{0xE9, 0, ' '},
                      CharacterSymbol{'\t', 0, ' '}, CharacterSymbol{127, 0, ' '}),
    test::ByPrintedParam());

TEST(TrueColorAlphabet, MarkersAndUnusedSymbols) {
  EXPECT_EQ(TrueColorAlphabet.separatorSymbol, 97);
  EXPECT_EQ(TrueColorAlphabet.endSymbol, 98);
  EXPECT_EQ(TrueColorAlphabet.decode[97], '\xCB');
  EXPECT_EQ(TrueColorAlphabet.decode[98], '\xCD');
  for (int symbol = 99; symbol < 256; ++symbol) EXPECT_EQ(TrueColorAlphabet.decode[symbol], ' ');
}

TEST(TrueColorCoding, FirstSymbolOfAKeyStartingWithZero) {
  // Code 48 with Counter 1 picks entry 49 = (0, 5, 1, 3); the symbol 16 has
  // the digits 0, 0, 1, 0.
  ChannelChooser chooser("0123456789ABCDEF");
  const ChannelQuad quad = chooser.Next();
  EXPECT_EQ(quad, (ChannelQuad{0, 5, 1, 3}));
  std::array<std::uint8_t, 6> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  WriteTrueColorSymbol(bytes.data(), quad, TrueColorAlphabet.encode['0']);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 6>{0xFC, 0xFD, 0xFF, 0xFC, 0xFF, 0xFC}));
  EXPECT_EQ(ReadTrueColorSymbol(bytes.data(), quad), 16);
}

TEST(TrueColorCoding, MarkerDigitsLeastSignificantFirst) {
  const ChannelQuad inOrder = {0, 1, 2, 3};
  std::array<std::uint8_t, 6> bytes{};
  WriteTrueColorSymbol(bytes.data(), inOrder, 97);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 6>{1, 0, 2, 1, 0, 0}));
  WriteTrueColorSymbol(bytes.data(), inOrder, 98);
  EXPECT_EQ(bytes, (std::array<std::uint8_t, 6>{2, 0, 2, 1, 0, 0}));
}

TEST(TrueColorCoding, EverySymbolReadsBackThroughEveryQuad) {
  for (const ChannelQuad& quad : ChannelTable) {
    std::array<std::uint8_t, 6> bytes = {0x13, 0x57, 0x9B, 0xDF, 0x24, 0x68};
    for (int symbol = 0; symbol < 256; ++symbol) {
      WriteTrueColorSymbol(bytes.data(), quad, static_cast<std::uint8_t>(symbol));
      ASSERT_EQ(ReadTrueColorSymbol(bytes.data(), quad), symbol);
    }
  }
}

// An independent statement of the running choice: symbol i uses key
// character (i mod (L - 1)) and Counter 1 + 47 * (i mod 106383).
ChannelQuad QuadOfSymbol(const std::string& key, std::int64_t i) {
  const auto code = static_cast<std::uint8_t>(
      key[static_cast<std::size_t>(i % static_cast<std::int64_t>(key.size() - 1))]);
  return ChannelTable[(code + 1 + 47 * (i % 106383)) % 360];
}

TEST(ChannelChooser, KeyIndexSkipsTheLastCharacterAndCounterWraps) {
  const std::string key = "0123456789ABCDEF";
  ChannelChooser chooser(key);
  for (std::int64_t i = 0; i < 106383; ++i) {
    ASSERT_EQ(chooser.Next(), QuadOfSymbol(key, i)) << i;
    if (i == 14) {
      EXPECT_EQ(chooser.KeyIndex(), 16);  // about to return to 1
    }
  }
  EXPECT_EQ(chooser.Counter(), 1);  // symbol 106383 is chosen with Counter 1 again
  EXPECT_EQ(chooser.Next(), QuadOfSymbol(key, 106383));
  EXPECT_EQ(chooser.Counter(), 48);
}

TEST(ChannelChooser, ShortKeys) {
  ChannelChooser one("Z");  // only the first character ever takes part
  for (int i = 0; i < 5; ++i) EXPECT_EQ(one.Next(), ChannelTable[('Z' + 1 + 47 * i) % 360]);
  ChannelChooser none("");  // no character at all counts as code 0
  EXPECT_EQ(none.Next(), ChannelTable[1]);
  EXPECT_EQ(none.Next(), ChannelTable[48]);
}

}  // namespace
}  // namespace hushlake
