#include "cipher/rc4.h"

#include <utility>

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published RC4 keystreams; the value is ours to fix.
const TCipherClass TCipher_RC4::Class = {
    .className = "TCipher_RC4",
    .displayName = "RC4",
    .note = "Patented by RSA",
    .blockSize = 16,
    .keySize = 256,
    .userSize = 512,
    .referenceOutputHex = "2d8fee42877bae72f82b8ca51214a87e7e8cdb5e96496c9cee5e206c7a67025d",
    .create = &CreateCipherInstance<TCipher_RC4>,
};

void TCipher_RC4::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  // An empty key (which InitKey never hands in) acts as the single byte 0.
  static constexpr std::uint8_t ZeroKey = 0;
  const auto* k = size > 0 ? static_cast<const std::uint8_t*>(key) : &ZeroKey;
  const int length = size > 0 ? size : 1;
  State& state = key_->work;
  for (int n = 0; n < 256; ++n) state.s[n] = static_cast<std::uint8_t>(n);
  std::uint8_t j = 0;
  for (int n = 0; n < 256; ++n) {
    j = static_cast<std::uint8_t>(j + state.s[n] + k[n % length]);
    std::swap(state.s[n], state.s[j]);
  }
  state.i = 0;
  state.j = 0;
  // The default vector already takes the first 16 keystream bytes; the state
  // saved for Reset is the one after it.
  FinishInit(iVector);
  key_->saved = key_->work;
}

void TCipher_RC4::XorKeystream(std::uint8_t* block) {
  State& state = key_->work;
  std::uint8_t* s = state.s;
  std::uint8_t i = state.i, j = state.j;
  for (int n = 0; n < 16; ++n) {
    i = static_cast<std::uint8_t>(i + 1);
    const std::uint8_t si = s[i];
    j = static_cast<std::uint8_t>(j + si);
    const std::uint8_t sj = s[j];
    s[i] = sj;
    s[j] = si;
    block[n] ^= s[static_cast<std::uint8_t>(si + sj)];
  }
  state.i = i;
  state.j = j;
}

void TCipher_RC4::EncryptBlock(void* block) { XorKeystream(static_cast<std::uint8_t*>(block)); }

void TCipher_RC4::DecryptBlock(void* block) { XorKeystream(static_cast<std::uint8_t*>(block)); }

void TCipher_RC4::Reset() {
  TCipher::Reset();
  key_->work = key_->saved;
}

}  // namespace hushlake
