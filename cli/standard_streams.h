#pragma once
// Standard input and output as bytes, and line breaks as this platform
// writes them.
#include <cstdio>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace hushlake::cli {

std::string ReadStandardInput();

// Hands the stream to Consume in pieces, so a large input is never held whole.
// Raises Refusal when the stream cannot be read.
void ReadInPieces(std::FILE* stream, const std::function<void(std::span<const char>)>& consume);

// Raises Refusal when the bytes cannot be written.
void WriteStandardOutput(std::string_view bytes);

// CR LF and lone CR become LF.
std::string WithLocalLineBreaks(std::string_view text);

}  // namespace hushlake::cli
