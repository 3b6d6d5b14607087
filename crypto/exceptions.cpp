#include "crypto/exceptions.h"

namespace hushlake {

std::string FillMessage(std::string_view pattern, const std::vector<std::string>& args) {
  std::string out;
  out.reserve(pattern.size() + 32);
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const bool placeholder = pattern[i] == '%' && i + 1 < pattern.size() &&
                             (pattern[i + 1] == 's' || pattern[i + 1] == 'd');
    if (placeholder && next < args.size()) {
      out += args[next++];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

}  // namespace hushlake
