// The command-line tool's parsing, without running anything: the input is
// the words after the program name, separated by zero bytes. They are parsed
// by the tool's own commands and options, as the tool does before it touches
// any file; the parsed command is never run.
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command.h"
#include "framework/framework.h"

namespace {

using namespace hushlake::cli;

std::vector<std::string> WordsOf(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      words.emplace_back();
    else
      words.back().push_back(static_cast<char>(data[i]));
  }
  return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  hushlake::StartFramework();
  GlobalOptions global;
  CommandRun run;
  CLI::App app("fuzzing", "hushlake-cli");
  app.add_flag("-q,--quiet", global.quiet);
  app.add_flag("-v,--verbose", global.verbose);
  app.require_subcommand(1, 1);
  AddPictureCommands(app, global, run);
  AddAlgorithmCommands(app, run);
  for (CLI::App* command : app.get_subcommands({})) command->fallthrough();
  // CLI11 takes the words last first, as main() hands them over.
  std::vector<std::string> words = WordsOf(data, size);
  std::vector<std::string> reversed(words.rbegin(), words.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ParseError&) {
    // Help, version and every wrong command line end here, as in the tool.
  }
  return 0;
}
