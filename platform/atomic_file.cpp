#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/pending_files.h"
#include "platform/temporary_name.h"

namespace hushlake {

namespace {

[[noreturn]] void FailWrite(const std::string& path, const std::string& reason) {
  throw EFileWrite("Cannot write the file \"" + path + "\": " + reason);
}

// A part that makes the names of one process differ; O_EXCL settles the
// rare clash.
std::string UniquePart(unsigned serial) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  auto mixed =
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) *
          0x9E3779B97F4A7C15ULL +
      serial;
  std::string part(6, '0');
  for (char& digit : part) {
    digit = kDigits[mixed % 36];
    mixed /= 36;
  }
  return part;
}

}  // namespace

// A file beside the target that is removed again unless it was renamed into
// place, so a failure at any step leaves nothing behind.
class AtomicFileWriter::TemporaryFile {
 public:
  TemporaryFile(const std::filesystem::path& target, const std::string& shownPath, mode_t mode)
      : shownPath_(shownPath) {
    const std::filesystem::path folder = target.parent_path();
    RemoveStaleTemporaryFiles(folder);
    for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      path_ =
          (folder / TemporaryNameFor(target.filename().string(), ::getpid(), UniquePart(attempt)))
              .string();
      // Known to the signal handler before it exists, so no moment is left
      // where a stop would leave it behind. (A file of this name already
      // there carries this process's number: a leftover, free to go.)
      pending_.emplace(path_);
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
      if (fd_ >= 0) break;
      const int error = errno;
      pending_.reset();
      if (error != EEXIST) FailWrite(shownPath_, std::strerror(error));
    }
    if (fd_ < 0) FailWrite(shownPath_, "no free name for a temporary file");
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // The replaced file's permissions carry over; where the file system cannot
  // hold them, the default ones do as well.
  void CopyModeFrom(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode))
      (void)::fchmod(fd_, info.st_mode & 07777);
  }

  void Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) FailWrite(shownPath_, std::strerror(errno));
      bytes = bytes.subspan(static_cast<std::size_t>(put));
      Written(static_cast<std::size_t>(put));
    }
  }

  void Write(std::span<const std::span<const std::uint8_t>> pieces) {
    std::vector<iovec> batch;
    std::size_t next = 0;  // the first piece not wholly written
    std::size_t done = 0;  // bytes of that piece already written
    while (next < pieces.size()) {
      batch.clear();
      std::size_t total = 0;
      for (std::size_t i = next; i < pieces.size() && batch.size() < IOV_MAX; ++i) {
        const std::span<const std::uint8_t> rest = pieces[i].subspan(i == next ? done : 0);
        batch.push_back({const_cast<std::uint8_t*>(rest.data()), rest.size()});
        total += rest.size();
      }
      const ssize_t put = ::writev(fd_, batch.data(), static_cast<int>(batch.size()));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) FailWrite(shownPath_, std::strerror(errno));
      if (put == 0 && total != 0) FailWrite(shownPath_, std::strerror(ENOSPC));
      Written(static_cast<std::size_t>(put));
      // A short write ends anywhere, even inside a piece.
      auto left = static_cast<std::size_t>(put);
      while (next < pieces.size() && left >= pieces[next].size() - done) {
        left -= pieces[next].size() - done;
        done = 0;
        ++next;
      }
      done += left;
    }
  }

  // Flushes and closes; a late write error (full disk, network file system)
  // shows up here and must not be lost.
  void Finish() {
    if (::fsync(fd_) != 0) FailWrite(shownPath_, std::strerror(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) FailWrite(shownPath_, std::strerror(errno));
  }

  void RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) FailWrite(shownPath_, std::strerror(errno));
    renamed_ = true;
  }

 private:
  // The disk starts on what is written while the rest is still being made,
  // so the flush at the end waits for less. Only a hint: the flush reports
  // any error.
  void Written(std::size_t count) {
    written_ += count;
#ifdef __linux__
    constexpr std::uint64_t WritebackStep = 4 << 20;
    if (written_ - handedToDisk_ < WritebackStep) return;
    (void)::sync_file_range(fd_, static_cast<off64_t>(handedToDisk_),
                            static_cast<off64_t>(written_ - handedToDisk_), SYNC_FILE_RANGE_WRITE);
    handedToDisk_ = written_;
#endif
  }

  std::string shownPath_;
  std::string path_;
  int fd_ = -1;
  bool renamed_ = false;
  std::uint64_t written_ = 0;
  std::uint64_t handedToDisk_ = 0;
  // Lets SIGINT and SIGTERM remove the file; forgotten after the removal above.
  std::optional<PendingFile> pending_;
};

namespace {

// Makes the rename itself durable. Not every file system can sync a folder;
// the file is in place either way, so a refusal here is not a failure.
void SyncFolder(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

AtomicFileWriter::AtomicFileWriter(const std::string& path, FileAccess access) : path_(path) {
  const std::filesystem::path target(path);
  if (!target.has_filename()) FailWrite(path, "the path names no file");
  const bool ownerOnly = access == FileAccess::OwnerOnly;
  temporary_ = std::make_unique<TemporaryFile>(target, path, ownerOnly ? 0600 : 0666);
  if (!ownerOnly) temporary_->CopyModeFrom(path);
}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::Write(std::span<const std::uint8_t> bytes) { temporary_->Write(bytes); }

void AtomicFileWriter::Write(std::span<const std::span<const std::uint8_t>> pieces) {
  temporary_->Write(pieces);
}

void AtomicFileWriter::Commit() {
  temporary_->Finish();
  temporary_->RenameTo(path_);
  SyncFolder(std::filesystem::path(path_));
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  AtomicFileWriter writer(path);
  writer.Write(bytes);
  writer.Commit();
}

void WritePrivateFile(const std::string& path, std::string_view bytes) {
  AtomicFileWriter writer(path, FileAccess::OwnerOnly);
  writer.Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  writer.Commit();
}

}  // namespace hushlake
