// Faults during a save lose nothing and leave nothing: the built tool saving
// to a full file system, to a read-only folder, over its own input, and
// stopped by SIGINT, SIGTERM and SIGKILL in the middle of writing a large
// picture. The old file always survives unchanged and no truncated file
// appears under the output name.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

namespace fs = std::filesystem;

const std::string Key = "Correct horse 42";

// The temporary files of saves in Folder.
std::vector<std::string> TemporaryFilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.find(".hushlake-tmp-") != std::string::npos) names.push_back(name);
  }
  return names;
}

// A small tmpfs over a sandbox folder, for as long as the object lives.
class ScratchMount {
 public:
  ScratchMount(const std::string& folder, const std::string& size) : folder_(folder) {
    fs::create_directories(folder);
    const std::string options = "size=" + size + ",mode=0755";
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
    if (!mounted_) error_ = std::strerror(errno);
  }
  ~ScratchMount() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  ScratchMount(const ScratchMount&) = delete;
  ScratchMount& operator=(const ScratchMount&) = delete;

  bool Mounted() const { return mounted_; }
  const std::string& Error() const { return error_; }
  bool MakeReadOnly() const {
    return ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::string folder_;
  bool mounted_ = false;
  std::string error_;
};

class SaveFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "cover.bmp", 400, 300, PixelFormat::Bgr24);
    WritePicture(box, "old.bmp", 30, 30, PixelFormat::Bgr24, 99);
    box.Write("key.txt", Key + "\n");
    box.Write("text.txt", "Nothing is lost.\n");
    oldPicture = box.Read("old.bmp");
  }

  std::vector<std::string> EncryptArgs(const std::string& in, const std::string& out) const {
    return {"encrypt",     "--in",     in,           "--out",   out,
            "--text-file", "text.txt", "--key-file", "key.txt", "--force"};
  }

  CliSandbox box;
  std::string oldPicture;
};

TEST_F(SaveFaults, AFullFileSystemKeepsTheOldFile) {
  ScratchMount full(box.Path("full"), "128k");
  if (!full.Mounted())
    GTEST_SKIP() << "cannot mount a small tmpfs here (" << full.Error()
                 << "); run the tests as root to check saves to a full file system";
  box.Write("full/out.bmp", oldPicture);

  const RunResult run = box.Run(EncryptArgs("cover.bmp", "full/out.bmp"));

  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
  EXPECT_EQ(box.Read("full/out.bmp"), oldPicture);
  EXPECT_TRUE(TemporaryFilesIn(box.Path("full")).empty());
}

TEST_F(SaveFaults, AReadOnlyFolderKeepsTheOldFile) {
  // Root writes into any folder whatever its mode, so for root the folder is
  // a file system mounted read-only.
  std::optional<ScratchMount> mount;
  if (::geteuid() == 0) {
    mount.emplace(box.Path("locked"), "1m");
    if (!mount->Mounted())
      GTEST_SKIP() << "running as root without mount (" << mount->Error()
                   << "): a read-only folder cannot be made here";
    box.Write("locked/out.bmp", oldPicture);
    ASSERT_TRUE(mount->MakeReadOnly()) << std::strerror(errno);
  } else {
    fs::create_directories(box.Path("locked"));
    box.Write("locked/out.bmp", oldPicture);
    fs::permissions(box.Path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
  }

  const RunResult run = box.Run(EncryptArgs("cover.bmp", "locked/out.bmp"));
  if (!mount) fs::permissions(box.Path("locked"), fs::perms::owner_all, fs::perm_options::add);

  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find("Cannot write the file"), std::string::npos) << run.err;
  EXPECT_EQ(box.Read("locked/out.bmp"), oldPicture);
  EXPECT_TRUE(TemporaryFilesIn(box.Path("locked")).empty());
}

TEST_F(SaveFaults, OutputEqualToInputIsReplacedWholeOrNotAtAll) {
  const std::string cover = box.Read("cover.bmp");
  std::vector<std::string> unforced = EncryptArgs("cover.bmp", "cover.bmp");
  unforced.pop_back();
  const RunResult refused = box.Run(unforced);
  EXPECT_EQ(refused.exitCode, 1) << refused.err;
  EXPECT_EQ(box.Read("cover.bmp"), cover);

  const RunResult replaced = box.Run(EncryptArgs("cover.bmp", "cover.bmp"));
  ASSERT_EQ(replaced.exitCode, 0) << replaced.err;
  const RunResult decrypted = box.Run({"decrypt", "--in", "cover.bmp", "--key-file", "key.txt"});
  EXPECT_EQ(decrypted.exitCode, 0) << decrypted.err;
  EXPECT_EQ(decrypted.out, "Nothing is lost.\n");
  EXPECT_TRUE(TemporaryFilesIn(box.Path("")).empty());
}

// The tool started in the sandbox without waiting for it.
class RunningTool {
 public:
  RunningTool(const CliSandbox& box, std::vector<std::string> args) {
    args.insert(args.begin(), HUSHLAKE_CLI_PATH);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, box.Path(".stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, box.Path("").c_str());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int failure = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) throw std::runtime_error(std::strerror(failure));
  }
  ~RunningTool() {
    if (!ended_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
  }
  RunningTool(const RunningTool&) = delete;
  RunningTool& operator=(const RunningTool&) = delete;

  pid_t Pid() const { return pid_; }
  bool Ended() {
    if (!ended_ && ::waitpid(pid_, &status_, WNOHANG) == pid_) ended_ = true;
    return ended_;
  }
  int Wait() {
    if (!ended_) ::waitpid(pid_, &status_, 0);
    ended_ = true;
    return status_;
  }

 private:
  pid_t pid_ = 0;
  int status_ = 0;
  bool ended_ = false;
};

// Waits until a file whose name contains Part is created in Folder, and
// stops the tool right then; false when the tool ended first.
bool StopWhenCreated(RunningTool& tool, int watch, const std::string& part) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
  alignas(inotify_event) char buffer[4096];
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd ready{watch, POLLIN, 0};
    if (::poll(&ready, 1, 20) > 0) {
      const ssize_t got = ::read(watch, buffer, sizeof buffer);
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
        if (event->len > 0 && std::string(event->name).find(part) != std::string::npos) {
          ::kill(tool.Pid(), SIGSTOP);
          return true;
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    if (tool.Ended()) return false;
  }
  return false;
}

class SaveStoppedBySignal : public SaveFaults, public ::testing::WithParamInterface<int> {};

TEST_P(SaveStoppedBySignal, KeepsTheOldFileAndNamesOrRemovesTheTemporaryOne) {
  const int signal = GetParam();
  fs::create_directories(box.Path("out"));
  WritePicture(box, "big.bmp", 4000, 3000, PixelFormat::Bgr24);
  box.Write("out/picture.bmp", oldPicture);

  // The save of a picture this size outlasts the reaction to its first file;
  // should the machine be so slow that the tool finishes first, try again.
  bool caught = false;
  for (int attempt = 0; attempt < 3 && !caught; ++attempt) {
    box.Write("out/picture.bmp", oldPicture);
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    inotify_add_watch(watch, box.Path("out").c_str(), IN_CREATE);
    RunningTool tool(box, EncryptArgs("big.bmp", "out/picture.bmp"));
    caught = StopWhenCreated(tool, watch, ".picture.bmp.hushlake-tmp-");
    ::close(watch);
    if (!caught) continue;
    ASSERT_EQ(TemporaryFilesIn(box.Path("out")).size(), 1u);
    ::kill(tool.Pid(), signal);
    ::kill(tool.Pid(), SIGCONT);
    const int status = tool.Wait();
    ASSERT_TRUE(WIFSIGNALED(status)) << "the tool ended by itself: " << box.Read(".stderr");
    EXPECT_EQ(WTERMSIG(status), signal);
  }
  ASSERT_TRUE(caught) << "the tool never stayed long enough in its save";

  EXPECT_EQ(box.Read("out/picture.bmp"), oldPicture);
  const std::vector<std::string> left = TemporaryFilesIn(box.Path("out"));
  if (signal != SIGKILL) {
    EXPECT_TRUE(left.empty()) << left.front();
    return;
  }
  // SIGKILL cannot be caught: its leftover says what it was, and goes with
  // the next save to the folder.
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].rfind(".picture.bmp.hushlake-tmp-", 0), 0u) << left[0];
  const RunResult next = box.Run(EncryptArgs("cover.bmp", "out/other.bmp"));
  ASSERT_EQ(next.exitCode, 0) << next.err;
  EXPECT_TRUE(TemporaryFilesIn(box.Path("out")).empty());
  EXPECT_EQ(box.Read("out/picture.bmp"), oldPicture);
}

INSTANTIATE_TEST_SUITE_P(Signals, SaveStoppedBySignal, ::testing::Values(SIGINT, SIGTERM, SIGKILL),
                         [](const ::testing::TestParamInfo<int>& param) {
                           return std::string(sigabbrev_np(param.param));
                         });

}  // namespace
}  // namespace hushlake::clitest

namespace hushlake::clitest {
namespace {

// A file that appears under the output name while encrypt runs (another
// save, another program) is never replaced without --force: the save stops
// at the name with the refusal an existing file gets, and leaves nothing.
TEST_F(SaveFaults, AFileThatAppearsDuringTheSaveIsKept) {
  WritePicture(box, "big.bmp", 2000, 1500, PixelFormat::Bgr24);
  fs::create_directories(box.Path("out"));
  std::vector<std::string> args = EncryptArgs("big.bmp", "out/new.bmp");
  args.pop_back();  // no --force
  bool caught = false;
  for (int attempt = 0; attempt < 3 && !caught; ++attempt) {
    fs::remove(box.Path("out/new.bmp"));
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    inotify_add_watch(watch, box.Path("out").c_str(), IN_CREATE);
    RunningTool tool(box, args);
    caught = StopWhenCreated(tool, watch, ".new.bmp.hushlake-tmp-");
    ::close(watch);
    if (!caught) continue;
    box.Write("out/new.bmp", oldPicture);  // someone else's file, meanwhile
    ::kill(tool.Pid(), SIGCONT);
    const int status = tool.Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = box.Read(".stderr");
    EXPECT_NE(err.find("hushlake-cli: The file \"out/new.bmp\" exists; --force replaces it"),
              std::string::npos)
        << err;
  }
  ASSERT_TRUE(caught) << "the tool never stayed long enough in its save";
  EXPECT_EQ(box.Read("out/new.bmp"), oldPicture);
  EXPECT_TRUE(TemporaryFilesIn(box.Path("out")).empty());

  // A text saved by decrypt likewise: two saves to one new name never both succeed.
  ASSERT_EQ(box.Run(EncryptArgs("cover.bmp", "hidden.bmp")).exitCode, 0);
  for (int round = 0; round < 10; ++round) {
    fs::remove(box.Path("out/text.txt"));
    RunningTool first(box, {"decrypt", "hidden.bmp", "-k", "key.txt", "-o", "out/text.txt", "-q"});
    RunningTool second(box, {"decrypt", "hidden.bmp", "-k", "key.txt", "-o", "out/text.txt", "-q"});
    const int a = first.Wait(), b = second.Wait();
    EXPECT_FALSE(WEXITSTATUS(a) == 0 && WEXITSTATUS(b) == 0) << "both saves replaced one name";
    EXPECT_EQ(box.Read("out/text.txt"), "Nothing is lost.\n");
  }
}

// A save under way holds its temporary file locked, and the sweep of a
// later save leaves a locked file alone, whatever process number its name
// carries: here one that no local process has, as a save in another
// process namespace (a container sharing the folder) or on another host
// would show. Once the lock is gone, the leftover goes.
TEST_F(SaveFaults, TheSweepLeavesALockedTemporaryFileAlone) {
  fs::create_directories(box.Path("out"));
  const std::string foreign = ".picture.bmp.hushlake-tmp-2000000000-zzzzzz";
  int ready[2], finish[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(finish), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    const int fd = ::open(box.Path("out/" + foreign).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(fd, "half", 4) != 4) _exit(1);
    char go = 0;
    (void)!::write(ready[1], "r", 1);
    (void)!::read(finish[0], &go, 1);
    _exit(0);
  }
  char got = 0;
  ASSERT_EQ(::read(ready[0], &got, 1), 1);

  const RunResult during = box.Run(EncryptArgs("cover.bmp", "out/other.bmp"));
  ASSERT_EQ(during.exitCode, 0) << during.err;
  EXPECT_EQ(TemporaryFilesIn(box.Path("out")), std::vector<std::string>{foreign});

  ASSERT_EQ(::write(finish[1], "f", 1), 1);
  int status = 0;
  ::waitpid(holder, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const RunResult after = box.Run(EncryptArgs("cover.bmp", "out/other.bmp"));
  ASSERT_EQ(after.exitCode, 0) << after.err;
  EXPECT_TRUE(TemporaryFilesIn(box.Path("out")).empty());
  for (int fd : {ready[0], ready[1], finish[0], finish[1]}) ::close(fd);
}

}  // namespace
}  // namespace hushlake::clitest
