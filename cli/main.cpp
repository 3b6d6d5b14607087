// hushlake-cli: the command-line front end.
#include <algorithm>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "app/framework.h"
#include "cli/command.h"
#include "cli/interrupt_cleanup.h"
#include "cli/outcome.h"
#include "crypto/registry.h"
#include "crypto/string_format.h"

namespace {

using namespace hushlake;
using namespace hushlake::cli;

int RunDemo(const Arguments&) {
  const std::string text = "Hidden in plain sight.";
  std::cout << "Text:            " << text << "\n"
            << "MIME base 64:    " << EncodeToFormat(text, FormatMIME64) << "\n"
            << "Hexadecimal:     " << EncodeToFormat(text, FormatHEX) << "\n";
  for (const auto& entry : HashRegistry())
    std::cout << entry.Name() << ": " << entry.cls->HashString(text, nullptr, FormatHEX) << "\n";
  return 0;
}

std::vector<Command> AllCommands() {
  std::vector<Command> all = PictureCommands();
  const std::vector<Command>& algorithms = AlgorithmCommands();
  all.insert(all.end(), algorithms.begin(), algorithms.end());
  all.push_back(
      {"demo",
       "show a text in the string formats and its digests",
       "Usage: hushlake-cli demo\n\nShows a text in the string formats and its digests.\n",
       {},
       RunDemo});
  return all;
}

void PrintOverview(std::ostream& out, const std::vector<Command>& commands) {
  out << "Usage: hushlake-cli COMMAND [options]\n\n"
         "Hides a text in a BMP picture and reads it back.\n\nCommands:\n";
  for (const Command& command : commands) {
    out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary
        << "\n";
  }
  out << "\n'hushlake-cli COMMAND --help' tells more about a command.\n";
}

int RunCommand(const Command& command, std::span<const std::string> words) {
  const std::string prefix = "hushlake-cli " + std::string(command.name);
  if (HelpRequested(words)) {
    std::cout << command.help;
    return ExitSuccess;
  }
  try {
    return command.run(ParseArguments(words, command.options));
  } catch (const UsageError& error) {
    std::cerr << prefix << ": " << error.what() << "\nTry '" << prefix << " --help'.\n";
    return ExitUsage;
  } catch (const Refusal& error) {
    if (*error.what() != '\0') std::cerr << prefix << ": " << error.what() << "\n";
    return ExitRefused;
  } catch (const std::exception& error) {
    std::cerr << prefix << ": " << error.what() << "\n";
    return ExitRefused;
  }
}

}  // namespace

int main(int argc, char** argv) {
  hushlake::StartFramework();
  RemoveTemporaryFilesOnInterrupt();
  const std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
  const std::vector<Command> commands = AllCommands();
  const std::string name = words.empty() ? "" : words[0];
  if (name == "--help" || name == "-h") {
    PrintOverview(std::cout, commands);
    return ExitSuccess;
  }
  for (const Command& command : commands)
    if (command.name == name) return RunCommand(command, std::span(words).subspan(1));
  if (!name.empty()) std::cerr << "hushlake-cli: unknown command \"" << name << "\"\n\n";
  PrintOverview(std::cerr, commands);
  return ExitUsage;
}
