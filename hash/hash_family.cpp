#include "hash/hash_family.h"

#include "crypto/registry.h"
#include "hash/checksums.h"
#include "hash/haval.h"
#include "hash/sapphire_hash.h"
#include "hash/snefru.h"
#include "hash/square_hash.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const THashClass* const HashFamily[] = {
    // THash_MD4, THash_MD5, THash_SHA, THash_SHA1,
    // THash_RipeMD128, THash_RipeMD160, THash_RipeMD256, THash_RipeMD320,
    &THash_Haval128::Class,
    &THash_Haval160::Class,
    &THash_Haval192::Class,
    &THash_Haval224::Class,
    &THash_Haval256::Class,
    &THash_Sapphire128::Class,
    &THash_Sapphire160::Class,
    &THash_Sapphire192::Class,
    &THash_Sapphire224::Class,
    &THash_Sapphire256::Class,
    &THash_Sapphire288::Class,
    &THash_Sapphire320::Class,
    &THash_Snefru::Class,
    &THash_Square::Class,
    // THash_Tiger,
    &THash_XOR16::Class,
    &THash_XOR32::Class,
    &THash_CRC16_CCITT::Class,
    &Thash_CRC16_Standard::Class,
    &THash_CRC32::Class,
};
}  // namespace

void RegisterHashFamily() {
  for (const THashClass* cls : HashFamily)
    if (cls != nullptr) RegisterHashClass(cls, cls->displayName, cls->category);
  // SetDefaultHashClass(&THash_RipeMD256::Class) once that class is in the table.
}

}  // namespace hushlake
