#include "crypto/secret_memory.h"

#include <sys/mman.h>
#include <sys/resource.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <cstdint>

namespace hushlake {

void LockSecretMemory(const void* block, std::size_t size) noexcept {
  if (block == nullptr || size == 0) return;
  (void)::mlock(block, size);
}

void KeepSecretsOutOfCoreDumps() noexcept {
#ifdef __linux__
  (void)::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
#endif
  const rlimit none{0, 0};
  (void)::setrlimit(RLIMIT_CORE, &none);
}

}  // namespace hushlake
