#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
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
      if (fd_ >= 0 && LockedWhileLinked()) break;
      const int error = fd_ >= 0 ? EEXIST : errno;
      pending_.reset();
      if (error != EEXIST) FailWrite(shownPath_, std::strerror(error));
    }
    if (fd_ < 0) FailWrite(shownPath_, "no free name for a temporary file");
  }
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!renamed_) ::unlink(path_.c_str());
    // Unlocked only once the file is in place or gone.
    if (lockFd_ >= 0) ::close(lockFd_);
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

  // The page cache keeps a file in pieces as large as the writes that made
  // it, up to a huge page, where they start on such a boundary; a picture
  // kept so is read at scattered places (decrypt) with far fewer page-table
  // walks. So the bytes go out in whole aligned pieces of that size.
  void Write(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const std::uint64_t at = written_ + staged_.size();
      if (staged_.empty() && at % kHugePiece == 0 && bytes.size() >= kHugePiece) {
        const std::size_t whole = bytes.size() / kHugePiece * kHugePiece;
        WriteOut(bytes.first(whole));
        bytes = bytes.subspan(whole);
        continue;
      }
      const std::size_t room = kHugePiece - static_cast<std::size_t>(at % kHugePiece);
      const std::size_t take = std::min(room, bytes.size());
      staged_.insert(staged_.end(), bytes.begin(),
                     bytes.begin() + static_cast<std::ptrdiff_t>(take));
      bytes = bytes.subspan(take);
      if (take == room) WriteStaged();
    }
  }

  void Write(std::span<const std::span<const std::uint8_t>> pieces) {
    for (const std::span<const std::uint8_t> piece : pieces) Write(piece);
  }

  // Flushes and closes; a late write error (full disk, network file system)
  // shows up here and must not be lost.
  void Finish() {
    WriteStaged();
    if (::fsync(fd_) != 0) FailWrite(shownPath_, std::strerror(errno));
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) FailWrite(shownPath_, std::strerror(errno));
  }

  void RenameTo(const std::string& target) {
    if (::rename(path_.c_str(), target.c_str()) != 0) FailWrite(shownPath_, std::strerror(errno));
    renamed_ = true;
  }

  // Puts the file in place only where nothing is: raises EFileExists when
  // something is.
  void RenameToNewName(const std::string& target) {
    const int error = RenameWithoutReplacing(path_, target);
    if (error == EEXIST) throw EFileExists(shownPath_);
    if (error != 0) FailWrite(shownPath_, std::strerror(error));
    renamed_ = true;
  }

 private:
  // Locks the new file for as long as this object lives (a duplicate of the
  // descriptor keeps the lock when the writing one is closed). A sweep may
  // hold the lock for a moment, or have taken the file between its creation
  // and the lock: then it is no longer linked, and another name is tried.
  // Where the file system has no locks the file goes unlocked, and sweeps
  // go by its process and by how long it has been quiet.
  bool LockedWhileLinked() {
    int locked;
    while ((locked = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked == 0) {
      struct stat info {};
      if (::fstat(fd_, &info) != 0 || info.st_nlink == 0) {
        ::close(fd_);
        fd_ = -1;
        return false;
      }
      lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    }
    return true;
  }

  // 0, or the errno of the failure. The kernel's no-replace rename where it
  // has one; else a hard link, which fails on an existing name, and the
  // removal of the temporary name; on a file system with neither, a look
  // just before an ordinary rename.
  static int RenameWithoutReplacing(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
    if (::link(from.c_str(), to.c_str()) == 0) {
      (void)::unlink(from.c_str());
      return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  }

  void WriteOut(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
      const ssize_t put = ::write(fd_, bytes.data(), bytes.size());
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) FailWrite(shownPath_, std::strerror(errno));
      if (put == 0) FailWrite(shownPath_, std::strerror(ENOSPC));
      bytes = bytes.subspan(static_cast<std::size_t>(put));
      Written(static_cast<std::size_t>(put));
    }
  }

  void WriteStaged() {
    WriteOut(staged_);
    staged_.clear();
  }

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
  int lockFd_ = -1;
  bool renamed_ = false;
  std::uint64_t written_ = 0;
  std::uint64_t handedToDisk_ = 0;
  static constexpr std::size_t kHugePiece = std::size_t{2} << 20;
  std::vector<std::uint8_t> staged_;  // what follows the written bytes, short of a piece's end
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

AtomicFileWriter::AtomicFileWriter(const std::string& path, FileAccess access, Replacing replacing)
    : path_(path) {
  const std::filesystem::path target(path);
  if (!target.has_filename()) FailWrite(path, "the path names no file");
  struct stat info {};
  mayReplace_ = replacing == Replacing::Anything ||
                (replacing == Replacing::PresentAtStart && ::lstat(path.c_str(), &info) == 0);
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
  if (mayReplace_)
    temporary_->RenameTo(path_);
  else
    temporary_->RenameToNewName(path_);
  SyncFolder(std::filesystem::path(path_));
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  AtomicFileWriter writer(path);
  writer.Write(bytes);
  writer.Commit();
}

void WritePrivateFile(const std::string& path, std::string_view bytes, Replacing replacing) {
  AtomicFileWriter writer(path, FileAccess::OwnerOnly, replacing);
  writer.Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
  writer.Commit();
}

}  // namespace hushlake
