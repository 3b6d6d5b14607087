#pragma once
// Stand-in until the shared version lands.
#include <string>
#include <string_view>
#include <vector>

namespace hushlake {

struct HintText {
  std::string toolTip;
  std::string statusText;
};

HintText SplitHint(std::string_view hint);
std::vector<std::string> DialogNameFilters(std::string_view filter);

}  // namespace hushlake
