#pragma once
// A test fixture with a folder of its own for each test, removed afterwards:
// for codecs that write files and must leave nothing else behind.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace hushlake::test {

class FileFolder : public ::testing::Test {
 protected:
  // Prefix names the folder, so test programs running side by side never share one.
  explicit FileFolder(std::string prefix) : prefix_(std::move(prefix)) {}

  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              (prefix_ + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::vector<std::uint8_t> Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
  }

  std::string prefix_;
  std::filesystem::path folder_;
};

}  // namespace hushlake::test
