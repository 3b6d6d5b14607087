#include "cli/terminal_ports.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <stdexcept>

#include "crypto/secure_wipe.h"
#include "stego/bmp_codec.h"

namespace hushlake::cli {

void TerminalMessages::ShowError(std::string_view message) {
  ++errorCount_;
  std::cerr << message << std::endl;
  shown_.emplace_back(message);
}

void TerminalMessages::ShowInformation(std::string_view message) {
  std::cerr << message << std::endl;
  shown_.emplace_back(message);
}

bool TerminalMessages::AskConfirmation(std::string_view message) {
  std::cerr << message << '\n'
            << (replaceFiles_ ? "Yes (--force)" : "No: the file is kept (--force replaces it)")
            << std::endl;
  shown_.emplace_back(message);
  return replaceFiles_;
}

bool TerminalMessages::Shown(std::string_view message) const {
  return std::find(shown_.begin(), shown_.end(), message) != shown_.end();
}

MemoryKeyField::~MemoryKeyField() { ScrubString(key_); }

void MemoryKeyField::SetKeyText(const std::string& text) {
  ScrubString(key_);
  key_ = text;
}

namespace {

class OpenFile {
 public:
  explicit OpenFile(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~OpenFile() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Descriptor() const { return fd_; }

 private:
  int fd_;
};

class MappedFile {
 public:
  MappedFile(int fd, std::size_t size)
      : size_(size), data_(mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0)) {}
  ~MappedFile() {
    if (data_ != MAP_FAILED) munmap(data_, size_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;
  bool Mapped() const { return data_ != MAP_FAILED; }
  const std::uint8_t* Bytes() const { return static_cast<const std::uint8_t*>(data_); }

 private:
  std::size_t size_;
  void* data_;
};

}  // namespace

std::vector<std::uint8_t> WholeFileStore::ReadAll(const std::string& path) const {
  const auto fail = [&](const char* what) {
    return std::runtime_error("Cannot " + std::string(what) + " the file \"" + path +
                              "\": " + std::strerror(errno));
  };
  const OpenFile file(path);
  struct stat status {};
  if (file.Descriptor() < 0) throw fail("open");
  if (fstat(file.Descriptor(), &status) != 0) throw fail("read");
  // Anything else (a pipe, a device) is read as the plain store reads it.
  if (!S_ISREG(status.st_mode) || status.st_size == 0) return LocalFileStore::ReadAll(path);
  // Nothing this tool reads (a picture, a text) can be handled past this size.
  const auto size = static_cast<std::uint64_t>(status.st_size);
  if (size > kBmpMaxFileBytes) throw std::runtime_error("The file \"" + path + "\" is too large");
  // Copying from a mapping touches the new buffer once; a zeroed buffer
  // filled by read() would be touched twice.
  const MappedFile mapped(file.Descriptor(), static_cast<std::size_t>(size));
  if (!mapped.Mapped()) return LocalFileStore::ReadAll(path);
  return std::vector<std::uint8_t>(mapped.Bytes(), mapped.Bytes() + size);
}

}  // namespace hushlake::cli
