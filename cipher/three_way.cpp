#include "cipher/three_way.h"

#include <cstring>

#include "crypto/bytes.h"
#include "crypto/support.h"

namespace hushlake {

const TCipherClass TCipher_3Way::Class = {
    .className = "TCipher_3Way",
    .displayName = "3Way",
    .note = "",
    .blockSize = 12,
    .keySize = 12,
    .userSize = 120,
    .referenceOutputHex = "77fc77947c8fde21e981df2ab1bc7ef8a3b6444bb6fc79c49b684f09c7bf0e05",
    .create = &CreateCipherInstance<TCipher_3Way>,
};

namespace {

constexpr std::uint32_t EncryptStart = 0x0B0B;
constexpr std::uint32_t DecryptStart = 0xB1B1;

struct Words {
  std::uint32_t a0, a1, a2;
};

// Linear mixing. Each output word is its input word, the rotations by 8 and
// 16 of the XOR of all three words, and four shifted neighbours; this is the
// published thirteen-term expression with the rotations gathered.
inline void Theta(Words& w) {
  const std::uint32_t c = w.a0 ^ w.a1 ^ w.a2;
  const std::uint32_t d = std::rotl(c, 16) ^ std::rotl(c, 8);
  const std::uint32_t b0 = w.a0 ^ d ^ (w.a0 >> 24) ^ (w.a1 << 8) ^ (w.a0 << 24) ^ (w.a2 >> 8);
  const std::uint32_t b1 = w.a1 ^ d ^ (w.a1 >> 24) ^ (w.a2 << 8) ^ (w.a1 << 24) ^ (w.a0 >> 8);
  const std::uint32_t b2 = w.a2 ^ d ^ (w.a2 >> 24) ^ (w.a0 << 8) ^ (w.a2 << 24) ^ (w.a1 >> 8);
  w = {b0, b1, b2};
}

// Reverses the 96-bit string: word order and the bits of every word.
inline void Mu(Words& w) { w = {ReverseBits32(w.a2), ReverseBits32(w.a1), ReverseBits32(w.a0)}; }

inline void Gamma(Words& w) {
  const std::uint32_t b0 = w.a0 ^ (w.a1 | ~w.a2);
  const std::uint32_t b1 = w.a1 ^ (w.a2 | ~w.a0);
  const std::uint32_t b2 = w.a2 ^ (w.a0 | ~w.a1);
  w = {b0, b1, b2};
}

inline void Rho(Words& w) {
  Theta(w);
  w.a0 = std::rotr(w.a0, 10);  // pi 1
  w.a2 = std::rotl(w.a2, 1);
  Gamma(w);
  w.a0 = std::rotl(w.a0, 1);  // pi 2
  w.a2 = std::rotr(w.a2, 10);
}

inline void AddRoundKey(Words& w, const std::uint32_t (&k)[3], std::uint32_t constant) {
  w.a0 ^= k[0] ^ (constant << 16);
  w.a1 ^= k[1];
  w.a2 ^= k[2] ^ constant;
}

// The rounds shared by both directions; only the key and constants differ.
inline void Transform(Words& w, const std::uint32_t (&k)[3],
                      const std::uint32_t (&constants)[TCipher_3Way::Rounds + 1]) {
  for (int i = 0; i < TCipher_3Way::Rounds; ++i) {
    AddRoundKey(w, k, constants[i]);
    Rho(w);
  }
  AddRoundKey(w, k, constants[TCipher_3Way::Rounds]);
  Theta(w);
}

void GenerateConstants(std::uint32_t start, std::uint32_t (&constants)[TCipher_3Way::Rounds + 1]) {
  for (std::uint32_t& constant : constants) {
    constant = start;
    start <<= 1;
    if (start & 0x10000) start ^= 0x11011;
  }
}

// Words 0 and 1 move as one 64-bit word, as the chaining modes move them;
// mismatched store and load widths would stall every block.
Words LoadWords(const void* block) {
  const auto* p = static_cast<const std::uint8_t*>(block);
  const std::uint64_t low = LoadLE64(p);
  return {static_cast<std::uint32_t>(low), static_cast<std::uint32_t>(low >> 32), LoadLE32(p + 8)};
}

void StoreWords(void* block, const Words& w) {
  auto* p = static_cast<std::uint8_t*>(block);
  StoreLE64(p, w.a0 | static_cast<std::uint64_t>(w.a1) << 32);
  StoreLE32(p + 8, w.a2);
}

}  // namespace

void TCipher_3Way::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  // The schedule is zero after BeginInit, so a short key arrives zero-padded.
  if (size > 0) std::memcpy(key_->encryptKey, key, static_cast<std::size_t>(size));
  Words inverse = {key_->encryptKey[0], key_->encryptKey[1], key_->encryptKey[2]};
  Theta(inverse);
  Mu(inverse);
  key_->decryptKey[0] = inverse.a0;
  key_->decryptKey[1] = inverse.a1;
  key_->decryptKey[2] = inverse.a2;
  SecureWipe(&inverse, sizeof(inverse));
  GenerateConstants(EncryptStart, key_->encryptConstants);
  GenerateConstants(DecryptStart, key_->decryptConstants);
  FinishInit(iVector);
}

void TCipher_3Way::EncryptBlock(void* block) {
  Words w = LoadWords(block);
  Transform(w, key_->encryptKey, key_->encryptConstants);
  StoreWords(block, w);
}

void TCipher_3Way::DecryptBlock(void* block) {
  Words w = LoadWords(block);
  Mu(w);
  Transform(w, key_->decryptKey, key_->decryptConstants);
  Mu(w);
  StoreWords(block, w);
}

}  // namespace hushlake
