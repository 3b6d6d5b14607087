#pragma once
// The names of the temporary files a save writes beside its target,
// ".NAME.hushlake-tmp-PID-XXXXXX": hidden, recognisable as ours and as
// belonging to NAME, and carrying the saving process so a later save can
// tell a leftover of a killed process from a save still under way.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace hushlake {

inline constexpr std::string_view TemporaryMarker = ".hushlake-tmp-";

// The temporary name for a save to FileName by process Pid; Unique makes
// names of one process differ. A long FileName is cut so the whole name
// stays within the 255 bytes file systems allow.
std::string TemporaryNameFor(std::string_view fileName, long pid, std::string_view unique);

// The process that made a temporary file of this name; none when the name
// is not one of ours.
std::optional<long> TemporaryOwner(std::string_view name);

// Removes the temporary files a save left in Folder when its process was
// killed: names of ours, regular files of this user, whose process is gone,
// or which nothing has written to for QuietFor (the process number may have
// been reused, or the folder be shared with another machine). A save under
// way writes continuously, so it is never that quiet. Errors are ignored:
// a leftover that cannot be removed stays for a later save.
void RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                               std::chrono::seconds quietFor = std::chrono::minutes(10));

}  // namespace hushlake
