#include "platform/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/bus_error_guard.h"
#include "platform/file_descriptor.h"

namespace hushlake {

namespace {

std::runtime_error Unreadable(const std::string& path, const std::string& reason) {
  return std::runtime_error("Cannot read the file \"" + path + "\": " + reason);
}

}  // namespace

// The length is the file's when it is opened; the bytes are whatever the
// file holds when each page is first read.
MappedFile::MappedFile(const std::string& path, std::uint64_t maxBytes)
    : path_(path), file_(FileDescriptor::OpenForReading(path)) {
  if (file_.Get() < 0) throw Unreadable(path, std::strerror(errno));
  struct stat status {};
  if (::fstat(file_.Get(), &status) != 0) throw Unreadable(path, std::strerror(errno));
  if (!S_ISREG(status.st_mode)) throw Unreadable(path, "not a regular file");
  if (static_cast<std::uint64_t>(status.st_size) > maxBytes)
    throw std::runtime_error("The file \"" + path + "\" is too large");
  length_ = static_cast<std::size_t>(status.st_size);
  if (length_ == 0) return;  // nothing to map
  start_ = ::mmap(nullptr, length_, PROT_READ, MAP_PRIVATE, file_.Get(), 0);
  if (start_ == MAP_FAILED) {
    start_ = nullptr;
    throw Unreadable(path, std::strerror(errno));
  }
}

MappedFile::~MappedFile() {
  if (start_ != nullptr) ::munmap(start_, length_);
}

std::span<const std::uint8_t> MappedFile::Bytes() const {
  return {static_cast<const std::uint8_t*>(start_), length_};
}

// The descriptor stays open for this: reading copies the bytes in the
// kernel, which costs far less than mapping each page of the view.
void MappedFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
  std::size_t done = 0;
  while (done < into.size()) {
    const ssize_t got = ::pread(file_.Get(), into.data() + done, into.size() - done,
                                static_cast<off_t>(offset + done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Unreadable(path_, std::strerror(errno));
    if (got == 0) throw Unreadable(path_, "it became shorter while it was read");
    done += static_cast<std::size_t>(got);
  }
}

void MappedFile::Copy(const std::uint8_t* from, std::span<std::uint8_t> into) const {
  const std::span<const std::uint8_t> bytes = Bytes();
  const auto offset = static_cast<std::size_t>(from - bytes.data());
  if (from < bytes.data() || offset > bytes.size() || into.size() > bytes.size() - offset)
    throw Unreadable(path_, "a copy outside the file was asked for");
  ReadAt(offset, into);
}

void MappedFile::Read(const std::function<void()>& reader) const {
  const BusErrorGuard guard(start_, length_);
  reader();
  if (guard.PagesLost()) throw Unreadable(path_, "it became shorter while it was read");
}

}  // namespace hushlake
