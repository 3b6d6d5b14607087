#include "cipher/cipher_family.h"

#include "cipher/gost.h"
#include "cipher/safer.h"
#include "cipher/tea.h"
#include "cipher/three_way.h"
#include "crypto/registry.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const TCipherClass* const CipherFamily[] = {
    &TCipher_3Way::Class,
    // "Blowfish"
    &TCipher_Gost::Class,
    // "IDEA"
    // "Q128"
    &TCipher_SAFER_K40::Class,
    &TCipher_SAFER_SK40::Class,
    &TCipher_SAFER_K64::Class,
    &TCipher_SAFER_SK64::Class,
    &TCipher_SAFER_K128::Class,
    &TCipher_SAFER_SK128::Class,
    // "SCOP"
    // "Shark"
    // "Square"
    &TCipher_TEA::Class,
    &TCipher_TEAN::Class,
    // "Twofish"
    // "Cast 128" ... "Skipjack"
};
}  // namespace

void RegisterCipherFamily() {
  for (const TCipherClass* cls : CipherFamily)
    if (cls != nullptr) RegisterCipherClass(cls, cls->displayName, cls->note);
  // SetDefaultCipherClass(&TCipher_Blowfish::Class) once Blowfish is in.
}

}  // namespace hushlake
