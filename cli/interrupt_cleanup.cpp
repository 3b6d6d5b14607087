#include "cli/interrupt_cleanup.h"

#include <signal.h>

#include "platform/pending_files.h"

namespace hushlake::cli {

namespace {

// Only async-signal-safe calls: unlink through RemovePendingFiles, then the
// signal again with its default action (SA_RESETHAND restored it, and it is
// delivered as soon as the handler returns).
void RemoveAndEnd(int signal) {
  RemovePendingFiles();
  (void)::raise(signal);
}

}  // namespace

void RemoveTemporaryFilesOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = RemoveAndEnd;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal the caller chose to ignore (nohup, a background job) stays ignored.
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    (void)::sigaction(signal, &action, nullptr);
  }
}

}  // namespace hushlake::cli
