// Once the tool holds a key, a signal that would dump core (SIGQUIT, a
// crash) writes none, even where the user allows cores; and the secrets'
// pages are locked in memory where the limit allows.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

// The "VmLck:" figure of a process, in kB; -1 when it cannot be read.
long LockedKilobytes(pid_t process) {
  std::ifstream in("/proc/" + std::to_string(process) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("VmLck:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

bool AnyCoreFile(const CliSandbox& box) {
  for (const std::string& name : box.Names())
    if (name.rfind("core", 0) == 0) return true;
  return false;
}

// Core files are allowed for the tool while it starts (and given back
// to this test process afterwards).
class CoresAllowed {
 public:
  CoresAllowed() {
    getrlimit(RLIMIT_CORE, &saved_);
    rlimit allowed = saved_;
    allowed.rlim_cur = allowed.rlim_max;
    granted_ = setrlimit(RLIMIT_CORE, &allowed) == 0 && allowed.rlim_cur > (1 << 24);
  }
  ~CoresAllowed() { setrlimit(RLIMIT_CORE, &saved_); }
  CoresAllowed(const CoresAllowed&) = delete;
  CoresAllowed& operator=(const CoresAllowed&) = delete;
  bool Granted() const { return granted_; }

 private:
  rlimit saved_{};
  bool granted_ = false;
};

// Encrypt holding its key and waiting for its text on a pipe: then SIGQUIT.
TEST(CoreDumps, AKeyHeldNeverGoesIntoACoreFile) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 600, 400, PixelFormat::Bgr24);
  rlimit memoryLock{};
  getrlimit(RLIMIT_MEMLOCK, &memoryLock);
  const std::string secret = "Unmistakable key 93721";
  for (const std::vector<std::string>& keySource :
       {std::vector<std::string>{}, std::vector<std::string>{"-k", "key.txt"}}) {
    SCOPED_TRACE(keySource.empty() ? "HUSHLAKE_KEY" : "a key file");
    box.Write("key.txt", secret + "\n");
    int text[2];
    ASSERT_EQ(pipe(text), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, text[0], 0);
    posix_spawn_file_actions_addclose(&actions, text[1]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, box.Path("").c_str());
    std::vector<std::string> words = {HUSHLAKE_CLI_PATH, "encrypt", "p24.bmp", "-o", "e.bmp"};
    words.insert(words.end(), keySource.begin(), keySource.end());
    std::vector<std::string> environment = {"PATH=/usr/bin:/bin"};
    if (keySource.empty()) environment.push_back("HUSHLAKE_KEY=" + secret);
    std::vector<char*> argv, envp;
    for (std::string& word : words) argv.push_back(word.data());
    for (std::string& entry : environment) envp.push_back(entry.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t child = 0;
    bool coresGranted = false;
    {
      const CoresAllowed cores;
      coresGranted = cores.Granted();
      ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(text[0]);
    // The key is held once the tool waits for its text; the locked key shows then.
    long locked = -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
      usleep(20000);
      locked = LockedKilobytes(child);
      if (locked > 0) break;
    }
    // AddressSanitizer's mlock does nothing, so only the other builds can show a locked page.
#ifndef __SANITIZE_ADDRESS__
    if (memoryLock.rlim_cur >= 4096) {
      EXPECT_GT(locked, 0) << "no page locked";
    }
#endif
    kill(child, SIGQUIT);
    close(text[1]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGQUIT);
    if (!coresGranted) GTEST_SKIP() << "core files cannot be allowed here";
    EXPECT_FALSE(WCOREDUMP(status)) << "a core was dumped";
    EXPECT_FALSE(AnyCoreFile(box));
  }
}

}  // namespace
}  // namespace hushlake::clitest
