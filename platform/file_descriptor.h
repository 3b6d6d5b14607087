#pragma once
// An open file descriptor that is closed on every way out.
#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace hushlake {

class FileDescriptor {
 public:
  // Takes Fd over; a negative one (a failed open) holds nothing.
  explicit FileDescriptor(int fd) : fd_(fd) {}
  // Never inherited by a child process.
  static FileDescriptor OpenForReading(const std::string& path) {
    return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  }
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  FileDescriptor& operator=(FileDescriptor&&) = delete;

  // Negative when the open failed; errno tells why.
  int Get() const { return fd_; }

 private:
  int fd_;
};

}  // namespace hushlake
