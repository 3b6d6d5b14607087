#include "cli/standard_streams.h"

#include <vector>

#include "cli/outcome.h"

namespace hushlake::cli {

void ReadInPieces(std::FILE* stream, const std::function<void(std::span<const char>)>& consume) {
  std::vector<char> piece(1 << 20);
  std::size_t count;
  while ((count = std::fread(piece.data(), 1, piece.size(), stream)) > 0)
    consume(std::span<const char>(piece.data(), count));
  if (std::ferror(stream)) throw Refusal("Cannot read the input");
}

std::string ReadStandardInput() {
  std::string text;
  ReadInPieces(stdin,
               [&](std::span<const char> piece) { text.append(piece.data(), piece.size()); });
  return text;
}

void WriteStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    throw Refusal("Cannot write to standard output");
}

std::string WithLocalLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace hushlake::cli
