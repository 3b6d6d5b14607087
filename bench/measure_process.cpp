// Runs one command and writes what it cost, as a user would see it: wall
// time from start to exit, processor time and peak resident memory of the
// command's own process. Unlike `date` around `/usr/bin/time`, it adds no
// process start of its own to the figure (posix_spawn shares our memory
// until the exec). The processor time is the scheduler's own account, to
// the nanosecond, read while the finished process is still a zombie: the
// user and system times of rusage come in whole clock ticks (4 ms here),
// too coarse for a run of a few milliseconds.
//
// Usage: measure_process OUT_FILE COMMAND [ARGUMENT ...]
// OUT_FILE gets one line: wall_us cpu_us peak_kb
// The exit status is the command's (128 + N when signal N ended it).
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

extern char** environ;

namespace {

long long Microseconds(const timeval& time) {
  return static_cast<long long>(time.tv_sec) * 1000000 + time.tv_usec;
}

// The time the process ran on a processor, from /proc/PID/schedstat;
// -1 where the system keeps no such account.
long long ScheduledMicroseconds(pid_t process) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/schedstat", static_cast<int>(process));
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return -1;
  unsigned long long nanoseconds = 0;
  const bool read = std::fscanf(file, "%llu", &nanoseconds) == 1;
  std::fclose(file);
  return read ? static_cast<long long>(nanoseconds / 1000) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure_process OUT_FILE COMMAND [ARGUMENT ...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  const int failed = posix_spawnp(&child, argv[2], nullptr, nullptr, argv + 2, environ);
  if (failed != 0) {
    std::fprintf(stderr, "measure_process: cannot run %s: %s\n", argv[2], std::strerror(failed));
    return 127;
  }
  // Waits for the exit but leaves the process unreaped, so its account
  // can still be read.
  siginfo_t exited{};
  while (waitid(P_PID, static_cast<id_t>(child), &exited, WEXITED | WNOWAIT) < 0)
    if (errno != EINTR) {
      std::perror("measure_process: waitid");
      return 127;
    }
  const auto wall = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  const long long scheduled = ScheduledMicroseconds(child);

  int status = 0;
  rusage usage{};
  while (wait4(child, &status, 0, &usage) < 0)
    if (errno != EINTR) {
      std::perror("measure_process: wait4");
      return 127;
    }
  const long long processor =
      scheduled >= 0 ? scheduled : Microseconds(usage.ru_utime) + Microseconds(usage.ru_stime);

  std::FILE* out = std::fopen(argv[1], "w");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 127;
  }
  std::fprintf(out, "%lld %lld %ld\n", static_cast<long long>(wall.count()), processor,
               usage.ru_maxrss);
  std::fclose(out);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}
