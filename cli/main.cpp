// hushlake-cli: the command-line front end.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/interrupt_cleanup.h"
#include "cli/key_input.h"
#include "cli/outcome.h"
#include "cli/terminal_output.h"
#include "crypto/secure_wipe.h"
#include "framework/framework.h"

#ifndef HUSHLAKE_VERSION
#define HUSHLAKE_VERSION "0.0.0"
#endif

namespace {

using namespace hushlake;
using namespace hushlake::cli;

constexpr const char* Program = "hushlake-cli";

// The program's own help; App::help would show the chosen command's.
std::string Overview(const CLI::App& app) {
  return app.get_formatter()->make_help(&app, app.get_name(), CLI::AppFormatMode::Normal);
}

// `help [COMMAND]`: the overview, or one command's help.
void AddHelpCommand(CLI::App& app, CommandRun& run) {
  auto topic = std::make_shared<std::string>();
  CLI::App& help = *app.add_subcommand("help", "show the help of a command, or this overview");
  help.add_option("COMMAND", *topic, "the command");
  help.callback([&app, topic, &run] {
    run = [&app, topic] {
      if (topic->empty()) {
        std::cout << Overview(app);
        return ExitSuccess;
      }
      for (const CLI::App* command : app.get_subcommands({}))
        if (command->get_name() == *topic) {
          std::cout << command->help(Program);
          return ExitSuccess;
        }
      throw UsageError("unknown command \"" + *topic + "\"");
    };
  });
}

void Configure(CLI::App& app, GlobalOptions& global, CommandRun& run) {
  app.get_formatter()->label("Subcommands", "Commands");
  app.get_formatter()->label("SUBCOMMAND", "COMMAND");
  app.get_formatter()->label("Positionals", "Arguments");
  app.set_version_flag("-V,--version", std::string(Program) + " " + HUSHLAKE_VERSION);
  app.add_flag("-q,--quiet", global.quiet, "say nothing on success");
  app.add_flag("-v,--verbose", global.verbose, "show the main window's messages in full");
  app.require_subcommand(1, 1);
  AddPictureCommands(app, global, run);
  AddAlgorithmCommands(app, run);
  AddDemoCommand(app, run);
  AddAnalyzeCommand(app, run);
  AddHelpCommand(app, run);
  for (CLI::App* command : app.get_subcommands({})) command->fallthrough();
  app.footer(
      "PICTURE is a BMP file of 8, 24 or 32 bits or a PNG file with an 8-bit palette,\n"
      "RGB or RGBA; - stands for standard input or output wherever a file is named.\n"
      "A picture is saved as its name's .bmp or .png says (no extension: as it came).\n"
      "The key never appears on the command line: it comes from --key-file, from\n"
      "HUSHLAKE_KEY or from the terminal.\n\n"
      "'hushlake-cli help COMMAND' (or 'hushlake-cli COMMAND --help') tells more.\n\n"
      "Exit status: 0 done, 1 refused or failed, 2 wrong usage.");
}

// The command the words name, for "Try ... --help".
std::string CommandIn(const CLI::App& app, const std::vector<std::string>& words) {
  for (const std::string& word : words)
    for (const CLI::App* command : app.get_subcommands({}))
      if (command->get_name() == word) return " " + word;
  return "";
}

int Parse(CLI::App& app, const std::vector<std::string>& words) {
  std::vector<std::string> reversed(words.rbegin(), words.rend());
  try {
    app.parse(reversed);
    return -1;
  } catch (const CLI::CallForHelp&) {
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    std::cout << (chosen.empty() ? Overview(app) : chosen.back()->help(Program));
    return ExitSuccess;
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return ExitSuccess;
  } catch (const CLI::ParseError& error) {
    if (!words.empty() && words[0][0] != '-' && app.get_subcommands().empty()) {
      std::cerr << Program << ": unknown command \"" << words[0] << "\"\n\n" << Overview(app);
      return ExitUsage;
    }
    PrintError(std::string(error.what()) + "\nTry '" + Program + CommandIn(app, words) +
               " --help'.");
    return ExitUsage;
  }
}

// Everything main does, in a frame of its own: once it has returned, main's
// frame holds no spilled key bytes and ScrubStack reaches all it left.
__attribute__((noinline)) int RunTool(int argc, char** argv) {
  StartFramework();
  RemoveTemporaryFilesOnInterrupt();
  GlobalOptions global;
  // Out of the environment at once: no child process can inherit the key.
  global.environmentKey = TakeKeyFromEnvironment();
  CLI::App app("Hides a text in a BMP or PNG picture and reads it back.", Program);
  CommandRun run;
  Configure(app, global, run);
  const std::vector<std::string> words(argv + std::min(argc, 1), argv + argc);
  int status = Parse(app, words);
  if (status < 0) {
    try {
      status = run();
    } catch (const UsageError& error) {
      // Every line of it is the tool's, as with any error, the hint too.
      PrintError(std::string(error.what()) + "\nTry '" + Program + CommandIn(app, words) +
                 " --help'.");
      status = ExitUsage;
    } catch (const std::exception& error) {
      PrintError(error.what());
      status = ExitRefused;
    }
  }
  if (global.environmentKey) ScrubString(*global.environmentKey);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const int status = RunTool(argc, argv);
  // Last of all: no dead frame of the command keeps the key.
  hushlake::ScrubStack();
  return status;
}
