#include "cli/choice_options.h"

#include <algorithm>
#include <cctype>

#include "cli/outcome.h"

namespace hushlake::cli {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

// The index of Name among Items.
template <std::size_t N>
int ItemIndex(const std::array<std::string_view, N>& items, std::string_view option,
              std::string_view name) {
  for (std::size_t i = 0; i < N; ++i)
    if (SameIgnoringCase(items[i], name)) return static_cast<int>(i);
  std::string valid;
  for (std::string_view item : items) valid += "\n  " + std::string(item);
  throw UsageError("unknown " + std::string(option) + " \"" + std::string(name) +
                   "\"; the valid names are:" + valid);
}

}  // namespace

CipherChoice ChoiceFromArguments(const Arguments& arguments) {
  CipherChoice choice;
  if (auto name = arguments.Value("--hash"))
    choice.hash =
        HashListItems[static_cast<std::size_t>(ItemIndex(HashListItems, "--hash", *name))];
  if (auto name = arguments.Value("--cipher"))
    choice.cipher =
        CipherListItems[static_cast<std::size_t>(ItemIndex(CipherListItems, "--cipher", *name))];
  if (auto name = arguments.Value("--mode"))
    choice.mode = ItemIndex(ModeListItems, "--mode", *name);
  return choice;
}

bool ChoiceGiven(const Arguments& arguments) {
  return arguments.Given("--hash") || arguments.Given("--cipher") || arguments.Given("--mode");
}

}  // namespace hushlake::cli
