#pragma once
// A test fixture with a folder of its own, removed afterwards, and the local
// file store that reads and writes in it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/local_file_store.h"

namespace hushlake::workflow_test {

class StoreFolder : public ::testing::Test {
 protected:
  // Prefix names the folder, so tests running side by side never share one.
  explicit StoreFolder(const std::string& prefix)
      : folder_(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::filesystem::create_directories(folder_);
  }
  ~StoreFolder() override { std::filesystem::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  void Put(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::filesystem::path folder_;
  LocalFileStore store_;
};

}  // namespace hushlake::workflow_test
