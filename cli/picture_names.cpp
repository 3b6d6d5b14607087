#include "cli/picture_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/workflow_messages.h"
#include "cli/outcome.h"
#include "cli/standard_streams.h"
#include "platform/atomic_file.h"

namespace hushlake::cli {

namespace {

std::string LowerExtension(const std::string& name) {
  std::string extension = std::filesystem::path(name).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

// An existing output is replaced only with --force; a folder never is, nor
// a name that can only be one.
void CheckTarget(const std::string& name, bool force, std::string_view what) {
  if (!name.empty() && name.back() == '/')
    throw Refusal("Cannot write the " + std::string(what) + " \"" + name +
                  "\": a name ending in / is a folder's, not a file's");
  struct stat status {};
  if (stat(name.c_str(), &status) != 0) return;
  if (S_ISDIR(status.st_mode))
    throw Refusal("Cannot write the " + std::string(what) + " \"" + name +
                  "\": " + std::strerror(EISDIR));
  if (!force) throw Refusal(ExistsRefusal(EFileExists::FileExistsMessage(name), false));
}

}  // namespace

std::string ExistsRefusal(std::string_view message, bool force) {
  std::string refusal(message);
  if (!force && refusal.ends_with("\" exists")) refusal += "; --force replaces it";
  return refusal;
}

bool IsPictureName(const std::string& name) {
  const std::string extension = LowerExtension(name);
  return extension.empty() || extension == ".bmp" || extension == ".png";
}

std::optional<std::string> PictureNameRefusal(const std::string& name) {
  if (name == StandardStream || IsPictureName(name)) return std::nullopt;
  return "pictures are read from BMP or PNG files, named *.bmp, *.png or without extension";
}

void CheckPictureSource(const std::string& name) {
  if (name == StandardStream) {
    if (isatty(STDIN_FILENO))
      throw Refusal("Standard input is a terminal; send the picture in from a file or a pipe");
    return;
  }
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status {};
  const bool opened = fd >= 0 && fstat(fd, &status) == 0;
  const int error = opened && S_ISDIR(status.st_mode) ? EISDIR : errno;
  if (fd >= 0) close(fd);
  if (!opened || error == EISDIR)
    throw Refusal("Cannot open the picture \"" + name + "\": " + std::strerror(error));
  if (const std::optional<std::string> refusal = PictureNameRefusal(name))
    throw Refusal("Cannot open the picture \"" + name + "\": " + *refusal);
}

void CheckPictureTarget(const std::string& name, bool force) {
  if (name == StandardStream) {
    if (isatty(STDOUT_FILENO))
      throw Refusal("Standard output is a terminal; send the picture to a file or a pipe");
    return;
  }
  // The name is used as given; one without extension is saved as the source was.
  if (!IsPictureName(name)) throw Refusal(std::string(messages::PictureNeedsBmpOrPngName));
  CheckTarget(name, force, "picture");
}

void CheckTextTarget(const std::string& name, bool force) {
  if (name != StandardStream) CheckTarget(name, force, "text file");
}

}  // namespace hushlake::cli
