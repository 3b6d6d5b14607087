#pragma once
// What the tool says on standard error: every line of an error starts with
// "hushlake-cli: ", so a script or a user sees at once whose words they are.
#include <string_view>

namespace hushlake::cli {

enum class Verbosity { Quiet, Normal, Verbose };

// Prints Message as the tool's error, "hushlake-cli: " before each line.
void PrintError(std::string_view message);

// Prints Message as it is (a verbose run's window messages, success lines).
void PrintLine(std::string_view message);

}  // namespace hushlake::cli
