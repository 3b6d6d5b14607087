#include "framework/framework.h"

#include <mutex>

#include "cipher/cipher_family.h"
#include "crypto/string_format.h"
#include "crypto/support.h"
#include "hash/hash_family.h"

namespace hushlake {

void StartFramework() {
  static std::once_flag started;
  std::call_once(started, [] {
    (void)CpuClass();
    RegisterStandardStringFormats();
    RegisterHashFamily();
    RegisterCipherFamily();
  });
}

}  // namespace hushlake
