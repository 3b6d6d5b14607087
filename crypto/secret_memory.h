#pragma once
// Keeping secrets out of places that outlive the process: swap, and core
// dumps. Both are best efforts that never fail an action: a system that
// refuses (a low RLIMIT_MEMLOCK, a container without the calls) keeps
// working as before, with the secrets wiped when freed as always.
#include <cstddef>

namespace hushlake {

// Asks the system to keep the pages holding Block in memory. Pages are not
// unlocked when the block is freed: another secret may share them, and a
// block given back to the system leaves the locked set by itself.
void LockSecretMemory(const void* block, std::size_t size) noexcept;

// From now until the process ends: no core dump (the process is made
// non-dumpable, which also keeps other processes of the user from reading
// its memory through /proc or a debugger, and its core size limit is 0).
// Called once a key is at hand.
void KeepSecretsOutOfCoreDumps() noexcept;

}  // namespace hushlake
