#include "platform/temporary_name.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace hushlake {

namespace {

constexpr std::size_t kNameMax = 255;
// Room for the dot, the marker, a process number, its dash and the unique part.
constexpr std::size_t kOverhead = 1 + TemporaryMarker.size() + 20 + 1 + 16;

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool ProcessGone(long pid) { return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH; }

bool IsStale(const std::filesystem::path& file, long owner, std::chrono::seconds quietFor) {
  struct stat info {};
  if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
    return false;
  if (owner > 0 && ProcessGone(owner)) return true;
  return std::time(nullptr) - info.st_mtime >= quietFor.count();
}

}  // namespace

std::string TemporaryNameFor(std::string_view fileName, long pid, std::string_view unique) {
  std::string name(".");
  name += fileName.substr(0, kNameMax - kOverhead);
  name += TemporaryMarker;
  name += std::to_string(pid);
  name += '-';
  name += unique.substr(0, 16);
  return name;
}

std::optional<long> TemporaryOwner(std::string_view name) {
  if (name.empty() || name[0] != '.') return std::nullopt;
  const auto marker = name.rfind(TemporaryMarker);
  if (marker == std::string_view::npos || marker < 1) return std::nullopt;
  const std::string_view tail = name.substr(marker + TemporaryMarker.size());
  const auto dash = tail.find('-');
  if (dash == std::string_view::npos || dash + 1 == tail.size()) return std::nullopt;
  const std::string_view pid = tail.substr(0, dash);
  if (!AllDigits(pid) || pid.size() > 18) return std::nullopt;
  return std::stol(std::string(pid));
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds quietFor) {
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    const std::filesystem::path file = entries->path();
    const std::optional<long> owner = TemporaryOwner(file.filename().string());
    if (owner && IsStale(file, *owner, quietFor)) (void)::unlink(file.c_str());
  }
}

}  // namespace hushlake
