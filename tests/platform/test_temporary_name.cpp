// The names of a save's temporary files, and which leftovers a later save
// removes: only ours, only of this user, only when their process is gone or
// they have been quiet for long.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "platform/temporary_name.h"

namespace hushlake {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryName, NamesTheTargetAndItsProcess) {
  const std::string name = TemporaryNameFor("out.bmp", 4242, "a1b2c3");
  EXPECT_EQ(name, ".out.bmp.hushlake-tmp-4242-a1b2c3");
  EXPECT_EQ(TemporaryOwner(name), 4242);
  // A target name longer than file systems allow beside the marker is cut.
  const std::string longName = TemporaryNameFor(std::string(255, 'x'), 4242, "a1b2c3");
  EXPECT_LE(longName.size(), 255u);
  EXPECT_EQ(TemporaryOwner(longName), 4242);
}

TEST(TemporaryName, OnlyOurNamesHaveAnOwner) {
  const struct {
    const char* name;
    std::optional<long> owner;
  } cases[] = {
      {".a.hushlake-tmp-17-abcdef", 17},
      {".x.hushlake-tmp-1.hushlake-tmp-99-zz", 99},  // a target whose own name has the marker
      {"a.hushlake-tmp-17-abcdef", std::nullopt},    // not hidden
      {".a.hushlake-tmp-17-", std::nullopt},
      {".a.hushlake-tmp-17", std::nullopt},
      {".a.hushlake-tmp--abc", std::nullopt},
      {".a.hushlake-tmp-1x-abc", std::nullopt},
      {".a.bmp.1234-1-5.tmp", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(TemporaryOwner(c.name), c.owner) << c.name;
}

class StaleTemporaryFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("hushlake-stale-" + std::to_string(getpid()) + "-" +
                                           std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Make(const std::string& name) const {
    std::ofstream(folder_ / name) << "half a picture";
    return folder_ / name;
  }
  bool Exists(const std::string& name) const {
    return fs::exists(fs::symlink_status(folder_ / name));
  }

  static long FinishedProcess() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    waitpid(child, nullptr, 0);
    return child;
  }

  fs::path folder_;
};

TEST_F(StaleTemporaryFiles, RemovesLeftoversOfGoneProcessesAndKeepsTheRest) {
  const long gone = FinishedProcess();
  const long alive = getpid();
  const std::string leftover = TemporaryNameFor("a.bmp", gone, "aaaaaa");
  const std::string underWay = TemporaryNameFor("a.bmp", alive, "bbbbbb");
  const std::string quiet = TemporaryNameFor("b.bmp", alive, "cccccc");
  Make(leftover);
  Make(underWay);
  fs::last_write_time(Make(quiet), fs::file_time_type::clock::now() - std::chrono::minutes(11));
  Make("a.bmp");
  Make(".a.bmp.swp");
  // A link with our name is not followed, nor removed.
  fs::create_symlink(folder_ / "a.bmp", folder_ / TemporaryNameFor("c.bmp", gone, "dddddd"));

  RemoveStaleTemporaryFiles(folder_);

  EXPECT_FALSE(Exists(leftover));
  EXPECT_FALSE(Exists(quiet));
  EXPECT_TRUE(Exists(underWay));
  EXPECT_TRUE(Exists("a.bmp"));
  EXPECT_TRUE(Exists(".a.bmp.swp"));
  EXPECT_TRUE(Exists(TemporaryNameFor("c.bmp", gone, "dddddd")));
}

TEST_F(StaleTemporaryFiles, AMissingFolderIsNoError) {
  RemoveStaleTemporaryFiles(folder_ / "missing");
  SUCCEED();
}

}  // namespace
}  // namespace hushlake
