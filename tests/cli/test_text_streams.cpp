// A text file that is not a regular file: a pipe as `-t <(...)` or
// `-t /dev/stdin` gives, or a FIFO. It is read as standard input is, up to
// what the picture could take.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "cli_sandbox.h"
#include "picture_files.h"

namespace hushlake::clitest {
namespace {

// Runs the tool with a pipe on descriptor Target (0 for standard input)
// that carries Text; returns the exit status.
int RunWithPipe(const CliSandbox& box, std::vector<std::string> args, int target,
                const std::string& text) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, channel[0], target);
  posix_spawn_file_actions_addclose(&actions, channel[1]);
  if (target != 0) posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, box.Path(".stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, box.Path("").c_str());
  args.insert(args.begin(), HUSHLAKE_CLI_PATH);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  const int failure = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(channel[0]);
  if (failure != 0) return -1;
  // Written whole or until the tool stops reading (a text too long).
  // (SIGPIPE, when the tool has gone, stays blocked and dies with the thread.)
  std::thread writer([&] {
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
    (void)!write(channel[1], text.data(), text.size());
    close(channel[1]);
  });
  int status = 0;
  waitpid(child, &status, 0);
  writer.join();
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class TextStreams : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePicture(box, "p.bmp", 100, 50, PixelFormat::Bgr24);
    box.Write("key.txt", "Correct horse 42\n");
    chmod(box.Path("key.txt").c_str(), 0600);
  }
  std::string Decrypted() const { return box.Run({"decrypt", "s.bmp", "-k", "key.txt"}).out; }
  CliSandbox box;
};

TEST_F(TextStreams, PipesAndFifosAreReadAsText) {
  // -t <(echo ...): the shell passes /dev/fd/N, a pipe.
  EXPECT_EQ(
      RunWithPipe(box, {"encrypt", "p.bmp", "-o", "s.bmp", "-k", "key.txt", "-t", "/dev/fd/3"}, 3,
                  "from a process substitution\n"),
      0)
      << box.Read(".stderr");
  EXPECT_EQ(Decrypted(), "from a process substitution\n");

  EXPECT_EQ(RunWithPipe(
                box, {"encrypt", "p.bmp", "-o", "s.bmp", "-f", "-k", "key.txt", "-t", "/dev/stdin"},
                0, "from /dev/stdin\n"),
            0)
      << box.Read(".stderr");
  EXPECT_EQ(Decrypted(), "from /dev/stdin\n");

  ASSERT_EQ(mkfifo(box.Path("fifo").c_str(), 0600), 0);
  std::thread writer([&] {
    // Without waiting for ever: a tool that never opens the FIFO fails the test.
    int fd = -1;
    for (int attempt = 0; attempt < 500 && fd < 0; ++attempt) {
      fd = open(box.Path("fifo").c_str(), O_WRONLY | O_NONBLOCK);
      if (fd < 0) usleep(20000);
    }
    if (fd < 0) return;
    (void)!write(fd, "through a FIFO\n", 15);
    close(fd);
  });
  const RunResult viaFifo =
      box.Run({"encrypt", "p.bmp", "-o", "s.bmp", "-f", "-k", "key.txt", "-t", "fifo"});
  writer.join();
  EXPECT_EQ(viaFifo.exitCode, 0) << viaFifo.err;
  EXPECT_EQ(Decrypted(), "through a FIFO\n");
}

// Bounded as standard input is: a stream longer than the picture takes is
// refused with the room it has, without reading it to its end.
TEST_F(TextStreams, AStreamTooLongIsRefusedWithTheRoom) {
  const std::string endless(8 << 20, 'a');
  EXPECT_EQ(
      RunWithPipe(box, {"encrypt", "p.bmp", "-o", "s.bmp", "-k", "key.txt", "-t", "/dev/fd/3"}, 3,
                  endless),
      1);
  const std::string err = box.Read(".stderr");
  EXPECT_NE(err.find("the picture holds at most"), std::string::npos) << err;
  EXPECT_FALSE(box.Exists("s.bmp"));
}

}  // namespace
}  // namespace hushlake::clitest
