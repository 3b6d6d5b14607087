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

#include "app/main_window_logic.h"
#include "cli/standard_streams.h"
#include "crypto/secure_wipe.h"
#include "stego/bmp_codec.h"

namespace hushlake::cli {

namespace {

bool ReportsSuccess(std::string_view message) {
  return message == messages::EncryptDone || message == messages::PictureSaved ||
         message == messages::FileSaved;
}

}  // namespace

void PrintError(std::string_view message) { std::cerr << "hushlake-cli: " << message << std::endl; }

void TerminalMessages::Print(std::string_view message) {
  if (holding_)
    held_.emplace_back(message);
  else
    PrintError(message);
}

void TerminalMessages::ShowError(std::string_view message) {
  ++errorCount_;
  shown_.emplace_back(message);
  Print(message);
}

void TerminalMessages::ShowInformation(std::string_view message) {
  shown_.emplace_back(message);
  if (!ReportsSuccess(message)) return Print(message);
  if (verbosity_ == Verbosity::Verbose) std::cerr << message << std::endl;
}

bool TerminalMessages::AskConfirmation(std::string_view message) {
  if (verbosity_ == Verbosity::Verbose)
    std::cerr << message << '\n'
              << (replaceFiles_ ? "Yes (--force)" : "No: the file is kept (--force replaces it)")
              << std::endl;
  shown_.emplace_back(message);
  return replaceFiles_;
}

void TerminalMessages::Release(std::string_view drop) {
  holding_ = false;
  const bool othersHeld = std::any_of(held_.begin(), held_.end(),
                                      [&](const std::string& held) { return held != drop; });
  for (const std::string& held : held_)
    if (!othersHeld || held != drop) PrintError(held);
  held_.clear();
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

bool TerminalFileStore::Exists(const std::string& path) const {
  return path == StandardInputPicture || WholeFileStore::Exists(path);
}

std::vector<std::uint8_t> TerminalFileStore::ReadAll(const std::string& path) const {
  if (path != StandardInputPicture) return WholeFileStore::ReadAll(path);
  const std::string bytes = ReadStandardInput(kBmpMaxFileBytes);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace hushlake::cli
