#pragma once
// Files that exist only while a save is under way, remembered so that a
// signal handler can remove them when the process is stopped mid-save.
// Everything here is safe to call from a signal handler: fixed slots, no
// allocation, lock-free flags. A process-wide table is the one place this
// state can live, as a handler reaches nothing else.
#include <string_view>

namespace hushlake {

class PendingFile {
 public:
  // Remembers Path (longer paths than the table holds are not remembered:
  // such a file is then only removed by the next save's sweep).
  explicit PendingFile(std::string_view path) noexcept;
  // Forgets the path; the owner has renamed or removed the file by then.
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

 private:
  int slot_ = -1;
};

// Removes every remembered file. Async-signal-safe.
void RemovePendingFiles() noexcept;

}  // namespace hushlake
