// The final check of Decrypt: what was read (all symbols but the end marker,
// decoded) splits into the key and the hidden text, or the run found nothing.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "stego/symbol_stream.h"

namespace hushlake {
namespace {

constexpr char Sep = '|';  // the 8-bit alphabet's decoded separator

struct FinalCheckCase {
  const char* name;
  std::string key;
  std::string extracted;
  std::optional<std::string> hidden;
};

void PrintTo(const FinalCheckCase& c, std::ostream* out) {
  *out << c.name << ": key \"" << c.key << "\", read \"" << c.extracted << "\"";
}

class FinalCheck : public ::testing::TestWithParam<FinalCheckCase> {};

TEST_P(FinalCheck, SplitsKeyAndTextOrFindsNothing) {
  const FinalCheckCase& c = GetParam();
  const std::optional<SecretString> hidden = SplitHiddenText(c.extracted, c.key, Sep);
  ASSERT_EQ(hidden.has_value(), c.hidden.has_value());
  if (hidden) {
    EXPECT_EQ(*hidden, *c.hidden);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Branches, FinalCheck,
    ::testing::Values(
        FinalCheckCase{"KeySeparatorText", "abcd", "abcd|hidden text", "hidden text"},
        FinalCheckCase{"EmptyText", "abcd", "abcd|", ""},
        FinalCheckCase{"LaterSeparatorsBelongToTheText", "abcd", "abcd|a|b", "a|b"},
        FinalCheckCase{"SeparatorAfterTheKeyLength", "abcd", "abcdx|text", std::nullopt},
        // A key holding the separator's character meets it too early.
        FinalCheckCase{"SeparatorBeforeTheKeyLength", "ab|d", "ab|d|text", std::nullopt},
        // Without a separator the text starts right after the key.
        FinalCheckCase{"NoSeparator", "abcd", "abcdtext", "text"},
        FinalCheckCase{"FewerThanFourCharacters", "ab", "ab|", std::nullopt},
        FinalCheckCase{"FewerThanFourWithoutAKey", "", "|ab", std::nullopt},
        FinalCheckCase{"FourCharactersAreEnough", "ab", "ab|c", "c"},
        // The reader lets an empty prefix pass; the final check still wants the key.
        FinalCheckCase{"SeparatorWithAnEmptyPrefix", "abcd", "|abcd text", std::nullopt},
        FinalCheckCase{"EmptyPrefixAndEmptyKey", "", "|some text", "some text"},
        FinalCheckCase{"AnotherKey", "abcd", "abce|text", std::nullopt}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace hushlake
