#pragma once
// The pictures of a corpus folder (BMP and PNG), in name order, so that every
// run pairs covers and stego pictures the same way.
#include <algorithm>
#include <filesystem>
#include <vector>

namespace hushlake::bench {

inline std::vector<std::filesystem::path> PicturesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().extension() == ".bmp" || entry.path().extension() == ".png")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace hushlake::bench
