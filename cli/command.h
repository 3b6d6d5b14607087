#pragma once
// The commands of the tool, each a CLI11 subcommand: the options it takes,
// its help, and what runs it once the command line has been read.
#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>

#include "cli/terminal_output.h"

namespace hushlake::cli {

// What every command may use: the options before or after the command name,
// and the key taken out of the environment at start.
struct GlobalOptions {
  bool quiet = false;
  bool verbose = false;
  std::optional<std::string> environmentKey;
  Verbosity Level() const {
    return verbose ? Verbosity::Verbose : quiet ? Verbosity::Quiet : Verbosity::Normal;
  }
};

// The parsed command's work; set by the subcommand that was given.
using CommandRun = std::function<int()>;

// encrypt, decrypt, capacity
void AddPictureCommands(CLI::App& app, const GlobalOptions& global, CommandRun& run);
// hash, list, selftest, demo
void AddAlgorithmCommands(CLI::App& app, CommandRun& run);
// analyze
void AddAnalyzeCommand(CLI::App& app, CommandRun& run);

// A file name option's check: "" is no name.
inline const CLI::Validator& FileName() {
  static const CLI::Validator check(
      [](const std::string& name) { return name.empty() ? std::string("an empty file name") : ""; },
      "", "FileName");
  return check;
}

}  // namespace hushlake::cli
