#include "cipher/cipher_family.h"

#include "cipher/diamond2.h"
#include "cipher/q128.h"
#include "cipher/sapphire.h"
#include "cipher/scop.h"
#include "cipher/shark.h"
#include "cipher/square.h"
#include "crypto/registry.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const TCipherClass* const CipherFamily[] = {
    // "3Way", "Blowfish", "Gost", "IDEA"
    &TCipher_Q128::Class,
    // "SAFER-K40", "SAFER-SK40", "SAFER-K64", "SAFER-SK64", "SAFER-K128", "SAFER-SK128"
    &TCipher_SCOP::Class,
    &TCipher_Shark::Class,
    &TCipher_Square::Class,
    // "TEA", "TEA extended", "Twofish",
    // "Cast 128", "Cast 256", "DES Single 8byte", "DES Double 8byte", "DES Double 16byte",
    // "DES Triple 8byte", "DES Triple 16byte", "DES Triple 24byte", "DESX"
    &TCipher_Diamond2::Class,
    &TCipher_Diamond2Lite::Class,
    // "FROG", "Mars", "Misty 1", "NewDES", "RC2", "RC4", "RC5", "RC6",
    // "Rijndael"
    &TCipher_Sapphire::Class,
    // "Skipjack"
};
}  // namespace

void RegisterCipherFamily() {
  for (const TCipherClass* cls : CipherFamily)
    if (cls != nullptr) RegisterCipherClass(cls, cls->displayName, cls->note);
}

}  // namespace hushlake
