#pragma once
// Files that hold plain text are the owner's alone: created with permissions
// 0600, whole or not at all (a temporary file beside the target, flushed,
// then renamed over it).
#include <string>
#include <string_view>

namespace hushlake::cli {

// Raises Refusal with the system's reason when the file cannot be written.
void WritePrivateFile(const std::string& path, std::string_view bytes);

}  // namespace hushlake::cli
