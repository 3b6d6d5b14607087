#pragma once
// How a command ends: the exit statuses and the two errors that choose them.
#include <stdexcept>
#include <string>

namespace hushlake::cli {

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitRefused = 1;  // a refusal or an error
inline constexpr int ExitUsage = 2;    // the command line itself is wrong

// The command line is wrong; the message says how.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The work was refused or failed; the message says why (every refusal has one).
class Refusal : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace hushlake::cli
