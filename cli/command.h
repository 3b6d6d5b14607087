#pragma once
// One command of the tool: its name, a one-line summary for the overview,
// its help text, its options and what runs it.
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace hushlake::cli {

struct Command {
  std::string_view name;
  std::string_view summary;
  std::string_view help;
  OptionSpec options;
  int (*run)(const Arguments& arguments);
};

// encrypt, decrypt, capacity
const std::vector<Command>& PictureCommands();
// hash, list, selftest
const std::vector<Command>& AlgorithmCommands();

}  // namespace hushlake::cli
