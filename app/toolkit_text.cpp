#include "app/toolkit_text.h"

namespace hushlake {

HintText SplitHint(std::string_view hint) {
  const auto bar = hint.find('|');
  if (bar == std::string_view::npos) return {std::string(hint), std::string(hint)};
  return {std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

std::vector<std::string> DialogNameFilters(std::string_view filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= filter.size()) {
    const auto bar = filter.find('|', start);
    const auto end = bar == std::string_view::npos ? filter.size() : bar;
    parts.emplace_back(filter.substr(start, end - start));
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  std::vector<std::string> result;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string patterns = parts[i + 1];
    for (char& c : patterns)
      if (c == ';') c = ' ';
    const std::string own = "(" + patterns + ")";
    const std::string& name = parts[i];
    if (name.size() >= own.size() && name.compare(name.size() - own.size(), own.size(), own) == 0)
      result.push_back(name);
    else
      result.push_back(name + " " + own);
  }
  return result;
}

}  // namespace hushlake
