#pragma once
// Standard input and output as bytes, read only as far as needed, and line
// breaks as this platform writes them.
#include <cstddef>
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace hushlake::cli {

// At most Limit bytes of a descriptor, read until the first end of file (one
// Ctrl-D at a terminal ends it). Overflowed tells that more bytes followed.
struct BoundedInput {
  std::string bytes;
  bool overflowed = false;
};
BoundedInput ReadBounded(int fd, std::size_t limit);

// Standard input whole; raises Refusal when it is longer than Limit.
std::string ReadStandardInput(std::size_t limit);

// Hands the stream to Consume in pieces, so a large input is never held whole.
// Raises Refusal when the stream cannot be read.
void ReadInPieces(std::FILE* stream, const std::function<void(std::span<const char>)>& consume);

// Raises Refusal when the bytes cannot be written.
void WriteStandardOutput(std::string_view bytes);

}  // namespace hushlake::cli
