#include "hash/hash_family.h"

#include "crypto/registry.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const THashClass* const HashFamily[] = {
    nullptr,
};
}  // namespace

void RegisterHashFamily() {
  for (const THashClass* cls : HashFamily)
    if (cls != nullptr) RegisterHashClass(cls, cls->displayName, cls->category);
}

}  // namespace hushlake
