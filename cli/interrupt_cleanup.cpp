#include "cli/interrupt_cleanup.h"

#include <signal.h>

#include <atomic>

#include "platform/pending_files.h"

namespace hushlake::cli {

namespace {

// What the handler restores. A signal handler reaches nothing but
// process-wide state, so this is the one place it can live.
struct SavedModes {
  std::atomic<bool> armed{false};
  int fd = -1;
  termios modes{};
};

SavedModes& Saved() {
  static SavedModes saved;
  return saved;
}

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler needs lock-free flags");

// Only async-signal-safe calls: tcsetattr, unlink through RemovePendingFiles,
// then the signal again with its default action (SA_RESETHAND restored it,
// and it is delivered as soon as the handler returns).
void RemoveAndEnd(int signal) {
  SavedModes& saved = Saved();
  if (saved.armed.load(std::memory_order_acquire))
    (void)::tcsetattr(saved.fd, TCSANOW, &saved.modes);
  RemovePendingFiles();
  (void)::raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  // One handler at a time: a second signal waits until the first has put everything back.
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&action.sa_mask, signal);
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    // A signal the caller chose to ignore (nohup, a background job) stays ignored.
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    (void)::sigaction(signal, &action, nullptr);
  }
}

TerminalModesOnInterrupt::TerminalModesOnInterrupt(int fd, const termios& saved) noexcept {
  SavedModes& modes = Saved();
  modes.fd = fd;
  modes.modes = saved;
  modes.armed.store(true, std::memory_order_release);
}

TerminalModesOnInterrupt::~TerminalModesOnInterrupt() {
  Saved().armed.store(false, std::memory_order_release);
}

}  // namespace hushlake::cli
