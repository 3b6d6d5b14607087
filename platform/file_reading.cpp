#include "platform/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "platform/file_descriptor.h"

namespace hushlake {

namespace {

std::runtime_error FileError(const char* what, const std::string& path) {
  return std::runtime_error("Cannot " + std::string(what) + " the file \"" + path +
                            "\": " + std::strerror(errno));
}

std::runtime_error TooLarge(const std::string& path) {
  return std::runtime_error("The file \"" + path + "\" is too large");
}

}  // namespace

bool IsRegularFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The file is read with read(), not copied out of a mapping: a file cut
// short by another program while mapped would end this process with SIGBUS,
// while read() just ends early. The bytes pass through a chunk that stays in
// the cache, so the result is still written once and never cleared first.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
  const FileDescriptor file = FileDescriptor::OpenForReading(path);
  if (file.Get() < 0) throw FileError("open", path);
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0) throw FileError("read", path);
  if (static_cast<std::uint64_t>(status.st_size) > maxBytes) throw TooLarge(path);
  std::vector<std::uint8_t> bytes;
  if (S_ISREG(status.st_mode)) bytes.reserve(static_cast<std::size_t>(status.st_size));
  constexpr std::size_t ChunkBytes = 256 * 1024;
  std::vector<std::uint8_t> chunk(ChunkBytes);
  for (;;) {
    const ssize_t got = ::read(file.Get(), chunk.data(), chunk.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw FileError("read", path);
    if (got == 0) return bytes;
    if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) throw TooLarge(path);
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + got);
  }
}

}  // namespace hushlake
