#pragma once
// The key never comes from the command line, where other users of the
// machine could read it: it comes from a key file, from HUSHLAKE_KEY (taken
// out of the environment at start, so no child process inherits it), or from
// the terminal without echo.
#include <cstddef>
#include <optional>
#include <string>

namespace hushlake::cli {

inline constexpr const char* KeyVariable = "HUSHLAKE_KEY";
// A key file holds one key; anything larger is not a key file.
inline constexpr std::size_t KeyFileCap = 64 * 1024;

// The value of HUSHLAKE_KEY, removed from the environment and scrubbed
// there; when it is set, the process writes no core dump from now on.
std::optional<std::string> TakeKeyFromEnvironment();

struct KeySources {
  std::optional<std::string> keyFile;                       // --key-file; "-" is standard input
  const std::optional<std::string>* environment = nullptr;  // from TakeKeyFromEnvironment
  bool typedTwice = false;  // encrypt: a typed key must be typed again
};

// In this order: the key file, HUSHLAKE_KEY, a prompt on the terminal
// (/dev/tty, so standard input stays free for the text). A key file or
// HUSHLAKE_KEY keeps its first line, a UTF-8 byte order mark and trailing
// CR and LF removed, decoded as a text file is (UTF-8 when valid, else
// Windows-1252). From the first key on, the process writes no core dump.
// Raises Refusal for an unreadable or empty key file,
// UsageError when no source is available.
std::string ReadKey(const KeySources& sources);

// The first line of a key file's bytes, decoded: exposed for the tests.
std::string KeyFromBytes(std::string bytes);

}  // namespace hushlake::cli
