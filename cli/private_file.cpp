#include "cli/private_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "cli/outcome.h"
#include "crypto/pending_files.h"
#include "crypto/temporary_name.h"

namespace hushlake::cli {

namespace {

// ".NAME.hushlake-tmp-PID-XXXXXX" beside the target, as every save names its
// temporary file: hidden, recognisable, and removed by a later save once its
// process is gone.
std::string TemporaryName(const std::filesystem::path& target) {
  const std::string name = TemporaryNameFor(target.filename().string(), getpid(), "XXXXXX");
  return (target.parent_path() / name).string();
}

class TemporaryFile {
 public:
  explicit TemporaryFile(const std::filesystem::path& target) : name_(TemporaryName(target)) {
    RemoveStaleTemporaryFiles(target.parent_path());
    fd_ = mkstemp(name_.data());            // created 0600
    if (fd_ >= 0) pending_.emplace(name_);  // SIGINT and SIGTERM remove it
  }
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_) unlink(name_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Opened() const { return fd_ >= 0; }
  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t written = write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) return false;
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return fsync(fd_) == 0;
  }
  bool CommitAs(const std::string& target) {
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0 || rename(name_.c_str(), target.c_str()) != 0) return false;
    committed_ = true;
    return true;
  }

 private:
  std::string name_;
  int fd_ = -1;
  bool committed_ = false;
  std::optional<PendingFile> pending_;
};

}  // namespace

void WritePrivateFile(const std::string& path, std::string_view bytes) {
  const std::filesystem::path target = std::filesystem::absolute(path);
  const auto fail = [&] {
    return Refusal("Cannot write the file \"" + path + "\": " + std::strerror(errno));
  };
  TemporaryFile temporary(target);
  if (!temporary.Opened() || !temporary.Write(bytes) || !temporary.CommitAs(target.string()))
    throw fail();
}

}  // namespace hushlake::cli
