#pragma once
// Runs the built tool on a pseudo-terminal of its own, as a user at a
// terminal runs it: it answers each expected prompt with typed input.
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "cli_sandbox.h"

namespace hushlake::clitest {

struct Exchange {
  std::string prompt;  // waited for on the screen
  std::string typed;   // then typed
  int signal = 0;      // or, when not 0, this signal is sent to the tool
};

struct TerminalResult {
  int exitCode = -1;
  std::string screen;  // everything the terminal showed
  // The terminal's modes once the tool has ended.
  bool echo = false;
  bool canonical = false;
};

inline TerminalResult RunOnTerminal(const CliSandbox& box, const std::vector<std::string>& args,
                                    const std::vector<Exchange>& exchanges) {
  std::vector<std::string> words = {HUSHLAKE_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  const std::string folder = box.Path("");
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    unsetenv("HUSHLAKE_KEY");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  TerminalResult result;
  std::size_t next = 0, seen = 0;
  for (;;) {
    pollfd ready{master, POLLIN, 0};
    if (poll(&ready, 1, 10000) <= 0) break;  // a tool waiting for more than 10 s is stuck
    char buffer[4096];
    const ssize_t got = read(master, buffer, sizeof buffer);
    if (got <= 0) break;  // EIO once the tool has ended
    result.screen.append(buffer, static_cast<std::size_t>(got));
    while (next < exchanges.size()) {
      const std::size_t at = result.screen.find(exchanges[next].prompt, seen);
      if (at == std::string::npos) break;
      seen = at + exchanges[next].prompt.size();
      const std::string& typed = exchanges[next].typed;
      if (exchanges[next].signal != 0)
        kill(child, exchanges[next].signal);
      else if (write(master, typed.data(), typed.size()) < 0)
        break;
      ++next;
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  termios modes{};
  if (tcgetattr(master, &modes) == 0) {
    result.echo = (modes.c_lflag & ECHO) != 0;
    result.canonical = (modes.c_lflag & ICANON) != 0;
  }
  close(master);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

}  // namespace hushlake::clitest
