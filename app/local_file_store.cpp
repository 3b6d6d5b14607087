#include "app/local_file_store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "crypto/atomic_file.h"
#include "stego/bmp_codec.h"

namespace hushlake {

bool LocalFileStore::Exists(const std::string& path) const {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::vector<std::uint8_t> LocalFileStore::ReadAll(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot open the file \"" + path + "\": " + std::strerror(errno));
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw std::runtime_error("Cannot read the file \"" + path + "\"");
  return bytes;
}

void LocalFileStore::WriteAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  WriteFileAtomically(path, bytes);
}

void LocalFileStore::WritePictureAtomically(const std::string& path, const Picture& picture) {
  WriteBmpFile(picture, path);
}

}  // namespace hushlake
