// The command-line tool's parsing, without running anything: the input is
// the words after the program name, separated by zero bytes. The first word
// picks the command; its options are then parsed and the algorithm choice
// read from them, as the tool does before it touches any file.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/framework.h"
#include "cli/choice_options.h"
#include "cli/command.h"
#include "cli/outcome.h"

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

const Command* FindCommand(const std::string& name) {
  for (const auto* list : {&PictureCommands(), &AlgorithmCommands()})
    for (const Command& command : *list)
      if (command.name == name) return &command;
  return nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  hushlake::StartFramework();
  const std::vector<std::string> words = WordsOf(data, size);
  const Command* command = FindCommand(words[0]);
  if (command == nullptr) return 0;
  const std::span<const std::string> options = std::span(words).subspan(1);
  if (HelpRequested(options)) return 0;
  try {
    const Arguments arguments = ParseArguments(options, command->options);
    if (ChoiceGiven(arguments)) (void)ChoiceFromArguments(arguments);
  } catch (const UsageError&) {
  }
  return 0;
}
