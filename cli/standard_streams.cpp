#include "cli/standard_streams.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
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

BoundedInput ReadBounded(int fd, std::size_t limit) {
  BoundedInput input;
  constexpr std::size_t Piece = 1 << 16;
  // One byte past the limit tells whether more follows.
  while (input.bytes.size() <= limit) {
    const std::size_t filled = input.bytes.size();
    const std::size_t wanted = std::min(Piece, limit + 1 - filled);
    input.bytes.resize(filled + wanted);
    const ssize_t got = read(fd, input.bytes.data() + filled, wanted);
    if (got < 0 && errno == EINTR) {
      input.bytes.resize(filled);
      continue;
    }
    if (got < 0) throw Refusal(std::string("Cannot read standard input: ") + std::strerror(errno));
    input.bytes.resize(filled + static_cast<std::size_t>(got));
    if (got == 0) break;
  }
  if (input.bytes.size() > limit) {
    input.bytes.resize(limit);
    input.overflowed = true;
  }
  return input;
}

std::string ReadStandardInput(std::size_t limit) {
  BoundedInput input = ReadBounded(STDIN_FILENO, limit);
  if (input.overflowed)
    throw Refusal("Standard input is longer than " + std::to_string(limit) + " bytes");
  return std::move(input.bytes);
}

void WriteStandardOutput(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
      std::fflush(stdout) != 0)
    throw Refusal(std::string("Cannot write to standard output: ") + std::strerror(errno));
}

}  // namespace hushlake::cli
