#include "cipher/cipher_family.h"

#include "cipher/blowfish.h"
#include "cipher/cast128.h"
#include "cipher/cast256.h"
#include "cipher/des.h"
#include "cipher/des_family.h"
#include "cipher/diamond2.h"
#include "cipher/frog.h"
#include "cipher/gost.h"
#include "cipher/idea.h"
#include "cipher/mars.h"
#include "cipher/misty.h"
#include "cipher/newdes.h"
#include "cipher/q128.h"
#include "cipher/rc2.h"
#include "cipher/rc4.h"
#include "cipher/rc5.h"
#include "cipher/rc6.h"
#include "cipher/rijndael.h"
#include "cipher/safer.h"
#include "cipher/sapphire.h"
#include "cipher/scop.h"
#include "cipher/shark.h"
#include "cipher/skipjack.h"
#include "cipher/square.h"
#include "cipher/tea.h"
#include "cipher/three_way.h"
#include "cipher/twofish.h"
#include "crypto/registry.h"

namespace hushlake {

namespace {
// The registration order is part of the system: lookups by display name take
// the first match, and the lists are shown in this order.
const TCipherClass* const CipherFamily[] = {
    &TCipher_3Way::Class,         &TCipher_Blowfish::Class,    &TCipher_Gost::Class,
    &TCipher_IDEA::Class,         &TCipher_Q128::Class,        &TCipher_SAFER_K40::Class,
    &TCipher_SAFER_SK40::Class,   &TCipher_SAFER_K64::Class,   &TCipher_SAFER_SK64::Class,
    &TCipher_SAFER_K128::Class,   &TCipher_SAFER_SK128::Class, &TCipher_SCOP::Class,
    &TCipher_Shark::Class,        &TCipher_Square::Class,      &TCipher_TEA::Class,
    &TCipher_TEAN::Class,         &TCipher_Twofish::Class,     &TCipher_Cast128::Class,
    &TCipher_Cast256::Class,      &TCipher_1DES::Class,        &TCipher_2DES::Class,
    &TCipher_2DDES::Class,        &TCipher_3DES::Class,        &TCipher_3DDES::Class,
    &TCipher_3TDES::Class,        &TCipher_DESX::Class,        &TCipher_Diamond2::Class,
    &TCipher_Diamond2Lite::Class, &TCipher_FROG::Class,        &TCipher_Mars::Class,
    &TCipher_Misty::Class,        &TCipher_NewDES::Class,      &TCipher_RC2::Class,
    &TCipher_RC4::Class,          &TCipher_RC5::Class,         &TCipher_RC6::Class,
    &TCipher_Rijndael::Class,     &TCipher_Sapphire::Class,    &TCipher_Skipjack::Class,
};
}  // namespace

void RegisterCipherFamily() {
  for (const TCipherClass* cls : CipherFamily)
    if (cls != nullptr) RegisterCipherClass(cls, cls->displayName, cls->note);
  SetDefaultCipherClass(&TCipher_Blowfish::Class);
}

}  // namespace hushlake
