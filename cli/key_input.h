#pragma once
// The key never comes from the command line, where other users of the
// machine could read it: it comes from a key file, the environment, or the
// terminal without echo.
#include <optional>
#include <string>

namespace hushlake::cli {

inline constexpr const char* KeyVariable = "HUSHLAKE_KEY";

struct KeySources {
  std::optional<std::string> keyFile;  // --key-file
  bool terminalAllowed = true;         // false when standard input carries the text
};

// In this order: the first line of the key file (without its line break),
// the environment variable, a prompt on the terminal. Raises Refusal for an
// unreadable or empty key file, UsageError when no source is available.
std::string ReadKey(const KeySources& sources);

}  // namespace hushlake::cli
