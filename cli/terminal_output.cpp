#include "cli/terminal_output.h"

#include <iostream>

namespace hushlake::cli {

void PrintError(std::string_view message) {
  for (;;) {
    const std::size_t end = message.find('\n');
    std::cerr << "hushlake-cli: " << message.substr(0, end) << '\n';
    if (end == std::string_view::npos) break;
    message.remove_prefix(end + 1);
  }
  std::cerr.flush();
}

void PrintLine(std::string_view message) { std::cerr << message << std::endl; }

}  // namespace hushlake::cli
