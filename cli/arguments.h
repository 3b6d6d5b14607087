#pragma once
// Command-line options of one command: "--name value", "--name=value",
// flags, and plain arguments ("-" among them, "--" ending the options).
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hushlake::cli {

struct OptionSpec {
  std::vector<std::string_view> valued;  // options that take a value
  std::vector<std::string_view> flags;   // options that stand alone
  std::size_t maxPlain = 0;              // plain arguments allowed
};

class Arguments {
 public:
  std::optional<std::string> Value(std::string_view name) const;
  // Raises UsageError when the option was not given.
  std::string Required(std::string_view name) const;
  bool Given(std::string_view name) const { return Value(name).has_value(); }
  bool Flag(std::string_view name) const;
  const std::vector<std::string>& Plain() const { return plain_; }

 private:
  friend Arguments ParseArguments(std::span<const std::string> words, const OptionSpec& spec);
  std::vector<std::pair<std::string, std::string>> values_;
  std::vector<std::string> flags_;
  std::vector<std::string> plain_;
};

// Raises UsageError for an unknown option, a missing value, an option given
// twice or too many plain arguments.
Arguments ParseArguments(std::span<const std::string> words, const OptionSpec& spec);

// True when the words ask for help ("--help" or "-h" before any "--").
bool HelpRequested(std::span<const std::string> words);

}  // namespace hushlake::cli
