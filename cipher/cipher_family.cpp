#include "cipher/cipher_family.h"

#include "crypto/registry.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const TCipherClass* const CipherFamily[] = {
    nullptr,
};
}  // namespace

void RegisterCipherFamily() {
  for (const TCipherClass* cls : CipherFamily)
    if (cls != nullptr) RegisterCipherClass(cls, cls->displayName, cls->note);
}

}  // namespace hushlake
