#include "platform/bus_error_guard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <system_error>

namespace hushlake {

namespace {

// What the handler needs. A signal handler reaches no object, so this is the
// guard's state outside itself; the handler touches only lock-free atomics
// and the saved previous action, which is written before the handler is
// installed and not changed while it is.
constinit std::mutex guardTurn;
constinit std::atomic<std::uintptr_t> guardedStart{0};
constinit std::atomic<std::uintptr_t> guardedEnd{0};
constinit std::atomic<std::uintptr_t> pageSize{4096};
constinit std::atomic<bool> pagesLost{false};
struct sigaction previousAction {};

void OnBusError(int /*signal*/, siginfo_t* info, void* /*context*/) {
  const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
  if (address >= guardedStart.load() && address < guardedEnd.load()) {
    const std::uintptr_t page = address & ~(pageSize.load() - 1);
    void* zeros = ::mmap(reinterpret_cast<void*>(page), pageSize.load(), PROT_READ,
                         MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (zeros != MAP_FAILED) {
      pagesLost.store(true);
      return;
    }
  }
  // Not ours, or no page to put there: the fault repeats and goes where it
  // went before.
  ::sigaction(SIGBUS, &previousAction, nullptr);
}

}  // namespace

BusErrorGuard::BusErrorGuard(const void* start, std::size_t length) : turn_(guardTurn) {
  pageSize.store(static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE)));
  guardedStart.store(reinterpret_cast<std::uintptr_t>(start));
  guardedEnd.store(reinterpret_cast<std::uintptr_t>(start) + length);
  pagesLost.store(false);
  struct sigaction action {};
  action.sa_sigaction = OnBusError;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  if (::sigaction(SIGBUS, &action, &previousAction) != 0)
    throw std::system_error(errno, std::generic_category(), "cannot watch for bus errors");
}

BusErrorGuard::~BusErrorGuard() {
  ::sigaction(SIGBUS, &previousAction, nullptr);
  guardedStart.store(0);
  guardedEnd.store(0);
}

bool BusErrorGuard::PagesLost() const { return pagesLost.load(); }

}  // namespace hushlake
