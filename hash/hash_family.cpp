#include "hash/hash_family.h"

#include "crypto/registry.h"
#include "hash/checksums.h"
#include "hash/haval.h"
#include "hash/md4_family.h"
#include "hash/sapphire_hash.h"
#include "hash/snefru.h"
#include "hash/square_hash.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const THashClass* const HashFamily[] = {
    &THash_MD4::Class,         &THash_MD5::Class,         &THash_SHA::Class,
    &THash_SHA1::Class,        &THash_RipeMD128::Class,   &THash_RipeMD160::Class,
    &THash_RipeMD256::Class,   &THash_RipeMD320::Class,   &THash_Haval128::Class,
    &THash_Haval160::Class,    &THash_Haval192::Class,    &THash_Haval224::Class,
    &THash_Haval256::Class,    &THash_Sapphire128::Class, &THash_Sapphire160::Class,
    &THash_Sapphire192::Class, &THash_Sapphire224::Class, &THash_Sapphire256::Class,
    &THash_Sapphire288::Class, &THash_Sapphire320::Class, &THash_Snefru::Class,
    &THash_Square::Class,      &THash_Tiger::Class,       &THash_XOR16::Class,
    &THash_XOR32::Class,       &THash_CRC16_CCITT::Class, &Thash_CRC16_Standard::Class,
    &THash_CRC32::Class,
};
}  // namespace

void RegisterHashFamily() {
  for (const THashClass* cls : HashFamily) RegisterHashClass(cls, cls->displayName, cls->category);
  SetDefaultHashClass(&THash_RipeMD256::Class);
}

}  // namespace hushlake
