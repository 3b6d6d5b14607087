#include "app/toolkit_text.h"

#include <algorithm>

namespace hushlake {

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(Blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// The parts of Text between Separators, empty parts left out.
std::vector<std::string_view> Tokens(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> tokens;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto end = std::min(text.find_first_of(separators, start), text.size());
    if (end > start) tokens.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return tokens;
}

// "(*.a *.b)"
std::string Parenthesised(const std::vector<std::string_view>& patterns) {
  std::string list(1, '(');
  for (std::string_view pattern : patterns) {
    if (list.size() > 1) list += ' ';
    list += pattern;
  }
  list += ')';
  return list;
}

// Whether Name ends in "(...)" listing exactly Patterns.
bool EndsInOwnPatterns(std::string_view name, const std::vector<std::string_view>& patterns) {
  const auto open = name.find_last_of('(');
  if (name.empty() || name.back() != ')' || open == std::string_view::npos) return false;
  return Tokens(name.substr(open + 1, name.size() - open - 2), " \t;,") == patterns;
}

std::string NameFilter(std::string_view name, std::string_view patternList) {
  const std::vector<std::string_view> patterns = Tokens(patternList, " \t;");
  if (patterns.empty()) return {};
  name = Trimmed(name);
  if (EndsInOwnPatterns(name, patterns)) return std::string(name);
  if (name.empty()) return Parenthesised(patterns);
  std::string entry(name);
  entry += ' ';
  entry += Parenthesised(patterns);
  return entry;
}

}  // namespace

HintText SplitHint(std::string_view hint) {
  const auto bar = hint.find('|');
  if (bar == std::string_view::npos) return {std::string(hint), std::string(hint)};
  return {std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

std::vector<std::string> DialogNameFilters(std::string_view filter) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (start <= filter.size() && !filter.empty()) {
    const auto end = std::min(filter.find('|', start), filter.size());
    parts.push_back(filter.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string entry = NameFilter(parts[i], parts[i + 1]);
    if (!entry.empty()) filters.push_back(std::move(entry));
  }
  return filters;
}

}  // namespace hushlake
