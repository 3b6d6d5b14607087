#pragma once
// Reading a whole file of the local file system, bounded.
#include <cstdint>
#include <string>
#include <vector>

namespace hushlake {

// Whether Path names a regular file (following links).
bool IsRegularFile(const std::string& path);

// The bytes of the file at Path. Raises std::runtime_error naming the file
// when it cannot be read or holds more than MaxBytes.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

}  // namespace hushlake
