#include "platform/pending_files.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

namespace hushlake {

namespace {

struct Slot {
  std::atomic<bool> taken{false};
  std::atomic<bool> ready{false};
  char path[PATH_MAX] = {};
};

// A few saves at once is already more than the tools ever run.
std::array<Slot, 8>& Slots() {
  static std::array<Slot, 8> slots;
  return slots;
}

static_assert(std::atomic<bool>::is_always_lock_free, "a signal handler needs lock-free flags");

}  // namespace

PendingFile::PendingFile(std::string_view path) noexcept {
  if (path.size() >= PATH_MAX) return;
  auto& slots = Slots();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    bool expected = false;
    if (!slots[i].taken.compare_exchange_strong(expected, true)) continue;
    std::memcpy(slots[i].path, path.data(), path.size());
    slots[i].path[path.size()] = '\0';
    slots[i].ready.store(true, std::memory_order_release);
    slot_ = static_cast<int>(i);
    return;
  }
}

PendingFile::~PendingFile() {
  if (slot_ < 0) return;
  Slot& slot = Slots()[static_cast<std::size_t>(slot_)];
  slot.ready.store(false, std::memory_order_release);
  slot.taken.store(false, std::memory_order_release);
}

void RemovePendingFiles() noexcept {
  for (Slot& slot : Slots())
    if (slot.ready.load(std::memory_order_acquire)) (void)::unlink(slot.path);
}

}  // namespace hushlake
