#include "crypto/stream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace hushlake {

void TMemoryStream::Seek(std::int64_t position) { position_ = std::max<std::int64_t>(0, position); }

int TMemoryStream::Read(void* buffer, int count) {
  const std::int64_t available = Size() - position_;
  if (count <= 0 || available <= 0) return 0;
  const int n = static_cast<int>(std::min<std::int64_t>(count, available));
  std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

void TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0) return;
  const auto end = static_cast<std::size_t>(position_) + static_cast<std::size_t>(count);
  if (end > bytes_.size()) bytes_.resize(end);
  std::memcpy(bytes_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = static_cast<std::int64_t>(end);
}

namespace {
std::string FileError(const char* what, const std::string& name) {
  return std::string(what) + " \"" + name + "\": " + std::strerror(errno);
}
}  // namespace

TFileStream::TFileStream(const std::string& fileName, Mode mode) : name_(fileName) {
  const char* how = mode == Mode::ReadOnly ? "rb" : mode == Mode::ReadWrite ? "r+b" : "w+b";
  file_ = std::fopen(fileName.c_str(), how);
  if (file_ == nullptr)
    throw EStreamError(
        FileError(mode == Mode::Create ? "Cannot create file" : "Cannot open file", fileName));
}

TFileStream::~TFileStream() {
  if (file_ != nullptr) std::fclose(file_);
}

std::int64_t TFileStream::Size() const {
  const auto here = ftello(file_);
  fseeko(file_, 0, SEEK_END);
  const auto size = ftello(file_);
  fseeko(file_, here, SEEK_SET);
  return size;
}

std::int64_t TFileStream::Position() const { return ftello(file_); }

void TFileStream::Seek(std::int64_t position) {
  if (fseeko(file_, position, SEEK_SET) != 0)
    throw EStreamError(FileError("Cannot seek in", name_));
}

int TFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(std::fread(buffer, 1, static_cast<std::size_t>(count), file_));
}

void TFileStream::Write(const void* buffer, int count) {
  if (count <= 0) return;
  if (std::fwrite(buffer, 1, static_cast<std::size_t>(count), file_) !=
      static_cast<std::size_t>(count))
    throw EStreamError(FileError("Cannot write to file", name_));
}

void TFileStream::Truncate() {
  std::fflush(file_);
  if (ftruncate(fileno(file_), ftello(file_)) != 0)
    throw EStreamError(FileError("Cannot set the size of", name_));
}

}  // namespace hushlake
