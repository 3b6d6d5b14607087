#include "hash/hash_family.h"

#include "crypto/registry.h"
#include "hash/md4_family.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const THashClass* const HashFamily[] = {
    &THash_MD4::Class,
    &THash_MD5::Class,
    &THash_SHA::Class,
    &THash_SHA1::Class,
    &THash_RipeMD128::Class,
    &THash_RipeMD160::Class,
    &THash_RipeMD256::Class,
    &THash_RipeMD320::Class,
    // THash_Haval128, THash_Haval160, THash_Haval192, THash_Haval224, THash_Haval256,
    // THash_Sapphire128, THash_Sapphire160, THash_Sapphire192, THash_Sapphire224,
    // THash_Sapphire256, THash_Sapphire288, THash_Sapphire320, THash_Snefru, THash_Square
    &THash_Tiger::Class,
    // THash_XOR16, THash_XOR32, THash_CRC16_CCITT, Thash_CRC16_Standard, THash_CRC32
};
}  // namespace

void RegisterHashFamily() {
  for (const THashClass* cls : HashFamily)
    if (cls != nullptr) RegisterHashClass(cls, cls->displayName, cls->category);
  SetDefaultHashClass(&THash_RipeMD256::Class);
}

}  // namespace hushlake
