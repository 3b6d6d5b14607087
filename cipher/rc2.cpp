#include "cipher/rc2.h"

#include <algorithm>
#include <cstring>

#include "cipher/rc2_pitable.h"
#include "crypto/bytes.h"

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published RC2 vectors; the value is ours to fix.
const TCipherClass TCipher_RC2::Class = {
    .className = "TCipher_RC2",
    .displayName = "RC2",
    .note = "",
    .blockSize = 8,
    .keySize = 128,
    .userSize = 128,
    .referenceOutputHex = "0ec8e54fcc32eabe2964efbe5314eddcd7adcf104767ee61d973f213fc3108ea",
    .create = &CreateCipherInstance<TCipher_RC2>,
};

namespace {

// RFC 2268's key expansion of a key of Length bytes (1 to 128) into the
// 128-byte table L, in place; L's bytes read as 64 little-endian words are
// the subkeys K.
void ExpandKey(const std::uint8_t* key, int length, int effectiveBits, std::uint8_t* l) {
  using detail::RC2PiTable;
  length = std::clamp(length, 1, 128);
  effectiveBits = std::clamp(effectiveBits, 1, 1024);
  std::memmove(l, key, static_cast<std::size_t>(length));
  for (int i = length; i < 128; ++i)
    l[i] = RC2PiTable[static_cast<std::uint8_t>(l[i - 1] + l[i - length])];
  // Reduce the search space to EffectiveBits, then spread the reduced bytes
  // back over the whole table.
  const int effectiveBytes = (effectiveBits + 7) / 8;
  const int mask = 0xFF >> (8 * effectiveBytes - effectiveBits);
  l[128 - effectiveBytes] = RC2PiTable[l[128 - effectiveBytes] & mask];
  for (int i = 127 - effectiveBytes; i >= 0; --i)
    l[i] = RC2PiTable[l[i + 1] ^ l[i + effectiveBytes]];
}

constexpr int MixShift[4] = {1, 2, 3, 5};

inline std::uint16_t Rotl16(std::uint16_t x, int shift) {
  return static_cast<std::uint16_t>(x << shift | x >> (16 - shift));
}

inline std::uint16_t Rotr16(std::uint16_t x, int shift) {
  return static_cast<std::uint16_t>(x >> shift | x << (16 - shift));
}

struct Words {
  std::uint16_t r[4];
};

inline Words LoadWords(const void* block) {
  const std::uint64_t v = LoadLE64(block);
  return {{static_cast<std::uint16_t>(v), static_cast<std::uint16_t>(v >> 16),
           static_cast<std::uint16_t>(v >> 32), static_cast<std::uint16_t>(v >> 48)}};
}

inline void StoreWords(void* block, const Words& w) {
  StoreLE64(block, std::uint64_t{w.r[0]} | std::uint64_t{w.r[1]} << 16 |
                       std::uint64_t{w.r[2]} << 32 | std::uint64_t{w.r[3]} << 48);
}

// One mixing round uses four subkeys, from K[j] on.
inline void Mix(std::uint16_t* r, const std::uint16_t* k) {
  for (int i = 0; i < 4; ++i) {
    const std::uint16_t sum = static_cast<std::uint16_t>(
        r[i] + k[i] + (r[(i + 3) & 3] & r[(i + 2) & 3]) + (~r[(i + 3) & 3] & r[(i + 1) & 3]));
    r[i] = Rotl16(sum, MixShift[i]);
  }
}

inline void Mash(std::uint16_t* r, const std::uint16_t* k) {
  for (int i = 0; i < 4; ++i) r[i] = static_cast<std::uint16_t>(r[i] + k[r[(i + 3) & 3] & 63]);
}

inline void RMix(std::uint16_t* r, const std::uint16_t* k) {
  for (int i = 3; i >= 0; --i) {
    r[i] = static_cast<std::uint16_t>(Rotr16(r[i], MixShift[i]) - k[i] -
                                      (r[(i + 3) & 3] & r[(i + 2) & 3]) -
                                      (~r[(i + 3) & 3] & r[(i + 1) & 3]));
  }
}

inline void RMash(std::uint16_t* r, const std::uint16_t* k) {
  for (int i = 3; i >= 0; --i) r[i] = static_cast<std::uint16_t>(r[i] - k[r[(i + 3) & 3] & 63]);
}

}  // namespace

void TCipher_RC2::Init(const void* key, int size, const void* iVector) {
  InitWithEffectiveBits(key, size, iVector, EffectiveKeyBits);
}

void TCipher_RC2::InitWithEffectiveBits(const void* key, int size, const void* iVector,
                                        int effectiveBits) {
  size = BeginInit(size);
  // An empty key (which InitKey never hands in) acts as the single byte 0:
  // the schedule is zero after BeginInit.
  auto* l = reinterpret_cast<std::uint8_t*>(key_->k);
  ExpandKey(size > 0 ? static_cast<const std::uint8_t*>(key) : l, size, effectiveBits, l);
  FinishInit(iVector);
}

// Five mixing rounds, a mash, six mixing rounds, a mash, five mixing rounds.
void TCipher_RC2::EncryptBlock(void* block) {
  Words w = LoadWords(block);
  const std::uint16_t* k = key_->k;
  for (int round = 0; round < 16; ++round) {
    Mix(w.r, k + 4 * round);
    if (round == 4 || round == 10) Mash(w.r, k);
  }
  StoreWords(block, w);
}

void TCipher_RC2::DecryptBlock(void* block) {
  Words w = LoadWords(block);
  const std::uint16_t* k = key_->k;
  for (int round = 15; round >= 0; --round) {
    RMix(w.r, k + 4 * round);
    if (round == 11 || round == 5) RMash(w.r, k);
  }
  StoreWords(block, w);
}

}  // namespace hushlake
