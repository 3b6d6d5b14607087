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

// Blanks the key variable's text where the process keeps it and removes the
// variable, so neither this process's memory nor a child keeps the key.
// ReadKey does this as soon as it has chosen its source.
void ForgetKeyVariable();

// When the command ends: forgets the key variable, for a command that never
// asked for the key, and scrubs the stack the command used. Lives in main.
class KeyTracesScrubber {
 public:
  KeyTracesScrubber() = default;
  KeyTracesScrubber(const KeyTracesScrubber&) = delete;
  KeyTracesScrubber& operator=(const KeyTracesScrubber&) = delete;
  ~KeyTracesScrubber();
};

}  // namespace hushlake::cli
