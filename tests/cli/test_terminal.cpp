// The tool at a terminal: the key asked for without echo (twice to hide a
// text), the typed text with a hint how to end it.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "cli_sandbox.h"
#include "picture_files.h"
#include "terminal_run.h"

namespace hushlake::clitest {
namespace {

const std::string Key = "Correct horse 42";

bool Has(const std::string& haystack, std::string_view needle) {
  return haystack.find(needle) != std::string::npos;
}

TEST(Terminal, KeyTypedTwiceAndTextTypedUntilEndOfFile) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  box.Write("key.txt", Key + "\n");
  const TerminalResult hidden = RunOnTerminal(box, {"encrypt", "p24.bmp", "-o", "typed.bmp"},
                                              {{"Key: ", Key + "\r"},
                                               {"The key again: ", Key + "\r"},
                                               {"Ctrl-D", "typed on a terminal\r"},
                                               {"typed on a terminal", "\x04"}});
  EXPECT_EQ(hidden.exitCode, 0) << hidden.screen;
  EXPECT_FALSE(Has(hidden.screen, Key)) << "the key was echoed: " << hidden.screen;
  const RunResult shown = box.Run({"decrypt", "typed.bmp", "-k", "key.txt"});
  EXPECT_EQ(shown.out, "typed on a terminal\n") << shown.err;

  const TerminalResult read = RunOnTerminal(box, {"decrypt", "typed.bmp"}, {{"Key: ", Key + "\r"}});
  EXPECT_EQ(read.exitCode, 0) << read.screen;
  EXPECT_FALSE(Has(read.screen, "again"));
  EXPECT_TRUE(Has(read.screen, "typed on a terminal"));
}

TEST(Terminal, DifferingKeysOrCtrlCAreRefused) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  const TerminalResult differ =
      RunOnTerminal(box, {"encrypt", "p24.bmp", "-o", "no.bmp", "-t", "p24.bmp"},
                    {{"Key: ", Key + "\r"}, {"The key again: ", Key + "x\r"}});
  EXPECT_EQ(differ.exitCode, 1);
  EXPECT_TRUE(Has(differ.screen, "hushlake-cli: The two keys typed differ")) << differ.screen;
  const TerminalResult cancelled =
      RunOnTerminal(box, {"decrypt", "p24.bmp"}, {{"Key: ", "abc\x03"}});
  EXPECT_EQ(cancelled.exitCode, 1);
  EXPECT_TRUE(Has(cancelled.screen, "No key was typed")) << cancelled.screen;
  EXPECT_FALSE(box.Exists("no.bmp"));
}

// A signal from outside while the prompt waits (the terminal closed, kill,
// Ctrl-\ from another terminal) ends the tool by that signal, and the
// terminal gets its echo and line editing back.
TEST(Terminal, ASignalAtThePromptLeavesTheTerminalAsItWas) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) {
    SCOPED_TRACE(strsignal(signal));
    const TerminalResult stopped =
        RunOnTerminal(box, {"decrypt", "p24.bmp"}, {{"Key: ", "", signal}});
    EXPECT_EQ(stopped.exitCode, 128 + signal) << stopped.screen;
    EXPECT_TRUE(stopped.echo);
    EXPECT_TRUE(stopped.canonical);
  }
  // The same after a normal end, for comparison.
  const TerminalResult typed = RunOnTerminal(box, {"decrypt", "p24.bmp"}, {{"Key: ", "abc\x03"}});
  EXPECT_EQ(typed.exitCode, 1);
  EXPECT_TRUE(typed.echo && typed.canonical);
}

}  // namespace
}  // namespace hushlake::clitest

namespace hushlake::clitest {
namespace {

// HUSHLAKE_KEY leaves the environment at start: while the tool waits for its
// text, its environment (what a child process would inherit, and what
// /proc shows to the user's other programs) no longer holds the key.
TEST(Environment, KeyIsTakenOutOfTheEnvironmentAtStart) {
  CliSandbox box;
  WritePicture(box, "p24.bmp", 60, 40, PixelFormat::Bgr24);
  const std::string secret = "Unmistakable key 93721";
  int text[2];
  ASSERT_EQ(pipe(text), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, text[0], 0);
  posix_spawn_file_actions_addclose(&actions, text[1]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, box.Path("").c_str());
  std::vector<std::string> words = {HUSHLAKE_CLI_PATH, "encrypt", "p24.bmp", "-o", "e.bmp"};
  std::vector<std::string> environment = {"HUSHLAKE_KEY=" + secret, "PATH=/usr/bin:/bin"};
  std::vector<char*> argv, envp;
  for (std::string& word : words) argv.push_back(word.data());
  for (std::string& entry : environment) envp.push_back(entry.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);
  pid_t child = 0;
  ASSERT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data()), 0);
  posix_spawn_file_actions_destroy(&actions);
  close(text[0]);
  // The tool has read its key once the picture's capacity bounds the text it
  // reads; give it time to get there, then look.
  std::string seen;
  for (int attempt = 0; attempt < 50; ++attempt) {
    usleep(20000);
    std::ifstream in("/proc/" + std::to_string(child) + "/environ", std::ios::binary);
    seen.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (seen.find(secret) == std::string::npos) break;
  }
  EXPECT_EQ(seen.find(secret), std::string::npos);
  EXPECT_EQ(write(text[1], "hidden", 6), 6);
  close(text[1]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(box.Exists("e.bmp"));
}

}  // namespace
}  // namespace hushlake::clitest
