// The desktop program itself, started as a user starts it (offscreen): from
// its start it writes no core file, so a crash or SIGQUIT while a key or a
// text is in the window leaves no copy of them on disk.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The "Max core file size" line of a process's limits; empty when unreadable.
std::string CoreLimitLine(pid_t process) {
  std::ifstream in("/proc/" + std::to_string(process) + "/limits");
  for (std::string line; std::getline(in, line);)
    if (line.rfind("Max core file size", 0) == 0) return line;
  return {};
}

bool SaysZeroAndZero(const std::string& limitLine) {
  // "Max core file size        0                    0                    bytes"
  std::vector<std::string> words;
  std::string word;
  for (char c : limitLine + ' ') {
    if (c != ' ') {
      word += c;
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words.size() >= 6 && words[4] == "0" && words[5] == "0";
}

}  // namespace

class DesktopProcessTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void writesNoCoreFile() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string where = folder.path().toStdString();
    // Cores allowed for the program as it starts, as a user may allow them.
    rlimit saved{};
    getrlimit(RLIMIT_CORE, &saved);
    rlimit allowed = saved;
    allowed.rlim_cur = allowed.rlim_max;
    const bool granted = setrlimit(RLIMIT_CORE, &allowed) == 0 && allowed.rlim_cur > (1 << 24);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, where.c_str());
    std::vector<std::string> words = {HUSHLAKE_DESKTOP_PATH};
    std::vector<std::string> environment = {"PATH=/usr/bin:/bin", "QT_QPA_PLATFORM=offscreen",
                                            "HOME=" + where, "XDG_CONFIG_HOME=" + where,
                                            "XDG_RUNTIME_DIR=" + where};
    std::vector<char*> argv, envp;
    for (std::string& w : words) argv.push_back(w.data());
    for (std::string& entry : environment) envp.push_back(entry.data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    setrlimit(RLIMIT_CORE, &saved);
    QCOMPARE(started, 0);

    // The limit drops to nothing once the program has started.
    std::string limit;
    for (int attempt = 0; attempt < 250 && !SaysZeroAndZero(limit); ++attempt) {
      usleep(20000);
      limit = CoreLimitLine(child);
    }
    kill(child, SIGQUIT);
    int status = 0;
    waitpid(child, &status, 0);
    QVERIFY2(SaysZeroAndZero(limit), limit.c_str());
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGQUIT);
    if (!granted) QSKIP("core files cannot be allowed here");
    QVERIFY2(!WCOREDUMP(status), "a core was dumped");
    QVERIFY(QDir(folder.path()).entryList({QStringLiteral("core*")}, QDir::Files).isEmpty());
  }
};

QTEST_GUILESS_MAIN(DesktopProcessTest)
#include "test_desktop_process.moc"
