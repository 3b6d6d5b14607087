#pragma once
// Runs the built hushlake-cli as a separate process, in a temporary folder of
// its own, with chosen standard input and key, and collects what it wrote.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace hushlake::clitest {

struct RunResult {
  int exitCode = -1;  // 128 + signal number when the process was killed
  std::string out;
  std::string err;
};

struct RunInput {
  RunInput(std::string input = {}, std::optional<std::string> key = std::nullopt)
      : standardInput(std::move(input)), keyVariable(std::move(key)) {}
  std::string standardInput;
  std::optional<std::string> keyVariable;  // HUSHLAKE_KEY; unset when none
  // Instead of StandardInput: a file in the folder (it may be large and sparse).
  std::optional<std::string> standardInputFile;
};

class CliSandbox {
 public:
  CliSandbox() {
    std::random_device seed;
    folder_ = std::filesystem::temp_directory_path() /
              ("hushlake-cli-test-" + std::to_string(getpid()) + "-" + std::to_string(seed()));
    std::filesystem::create_directories(folder_);
  }
  ~CliSandbox() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  CliSandbox(const CliSandbox&) = delete;
  CliSandbox& operator=(const CliSandbox&) = delete;

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }
  // The permission bits of a file in the folder.
  unsigned Mode(const std::string& name) const {
    return static_cast<unsigned>(std::filesystem::status(Path(name)).permissions());
  }
  // Names left in the folder besides the run's own .stdin, .stdout and .stderr.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name != ".stdin" && name != ".stdout" && name != ".stderr") names.push_back(name);
    }
    return names;
  }

  // Runs the tool in the folder; plain names in Args are files there.
  // MoreEnvironment adds NAME=VALUE entries to the tool's environment.
  RunResult Run(const std::vector<std::string>& args, const RunInput& input = {},
                const std::vector<std::string>& moreEnvironment = {}) const {
    return RunProgram(HUSHLAKE_CLI_PATH, args, input, moreEnvironment);
  }

  // Run, with another build of the tool.
  RunResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                       const RunInput& input,
                       const std::vector<std::string>& moreEnvironment) const {
    if (!input.standardInputFile) Write(".stdin", input.standardInput);
    const std::string standardInput = Path(input.standardInputFile.value_or(".stdin"));
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<std::string> environment = EnvironmentWithout("HUSHLAKE_KEY=");
    if (input.keyVariable) environment.push_back("HUSHLAKE_KEY=" + *input.keyVariable);
    environment.insert(environment.end(), moreEnvironment.begin(), moreEnvironment.end());

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, standardInput.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, Path(".stdout").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, Path(".stderr").c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
    // A session of its own has no terminal: a key is never asked for.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::vector<char*> argv = Pointers(words);
    std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int failure =
        posix_spawn(&child, words[0].c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0)
      throw std::runtime_error(std::string("cannot start the tool: ") + std::strerror(failure));
    int status = 0;
    waitpid(child, &status, 0);
    RunResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = Read(".stdout");
    result.err = Read(".stderr");
    return result;
  }

 private:
  static std::vector<std::string> EnvironmentWithout(const std::string& prefix) {
    std::vector<std::string> kept;
    for (char** entry = environ; *entry != nullptr; ++entry)
      if (std::string(*entry).rfind(prefix, 0) != 0) kept.emplace_back(*entry);
    return kept;
  }
  static std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
  }

  std::filesystem::path folder_;
};

// Every line of standard error is an error of the tool's or a note, each
// starting with the tool's name.
inline void ExpectErrorsPrefixed(const std::string& err) {
  std::string_view rest = err;
  while (!rest.empty()) {
    EXPECT_EQ(rest.rfind("hushlake-cli: ", 0), 0u) << err;
    const std::size_t end = rest.find('\n');
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
}

}  // namespace hushlake::clitest
