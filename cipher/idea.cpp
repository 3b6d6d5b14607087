#include "cipher/idea.h"

#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published IDEA vectors; the value is ours to fix.
const TCipherClass TCipher_IDEA::Class = {
    .className = "TCipher_IDEA",
    .displayName = "IDEA",
    .note = "free for non-commercial",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 208,
    .referenceOutputHex = "8c65cad843e79993ed41ea48fd665094a2256dd7b1d09a233dd2e8ecc9457f7e",
    .create = &CreateCipherInstance<TCipher_IDEA>,
};

namespace {

// Multiplication modulo 65537 on 32-bit registers: both factors below
// 65536, the result too. A zero product means a factor of 65536 = -1;
// otherwise, as 2^16 = -1 (mod 65537), the product is low - high, wrapped
// into range: a borrow shows in the upper half, and subtracting it adds 1.
// The zero test is a branch: rarely taken, it stays off the chain of
// dependent multiplications.
inline std::uint32_t Mul(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t product = a * b;
  if (product == 0) [[unlikely]]
    return (1 - a - b) & 0xFFFF;
  const std::uint32_t difference = (product & 0xFFFF) - (product >> 16);
  return (difference - (difference >> 16)) & 0xFFFF;
}

inline std::uint16_t Negate(std::uint16_t x) { return static_cast<std::uint16_t>(0 - x); }

// Eight rounds and the output transformation with 52 subkeys; the middle
// words are swapped in every round and the last swap is undone on output.
// The words live in 32-bit registers and are cut to 16 bits where it counts.
inline void Crypt(const std::uint16_t* z, void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  std::uint32_t x1 = LoadBE16(bytes), x2 = LoadBE16(bytes + 2);
  std::uint32_t x3 = LoadBE16(bytes + 4), x4 = LoadBE16(bytes + 6);
  for (int round = 0; round < 8; ++round, z += 6) {
    x1 = Mul(x1, z[0]);
    x2 = (x2 + z[1]) & 0xFFFF;
    x3 = (x3 + z[2]) & 0xFFFF;
    x4 = Mul(x4, z[3]);
    const std::uint32_t t1 = Mul(x1 ^ x3, z[4]);
    const std::uint32_t t2 = Mul((t1 + (x2 ^ x4)) & 0xFFFF, z[5]);
    const std::uint32_t t3 = (t1 + t2) & 0xFFFF;
    x1 ^= t2;
    x4 ^= t3;
    const std::uint32_t middle = x2 ^ t3;
    x2 = x3 ^ t2;
    x3 = middle;
  }
  StoreBE16(bytes, static_cast<std::uint16_t>(Mul(x1, z[0])));
  StoreBE16(bytes + 2, static_cast<std::uint16_t>(x3 + z[1]));
  StoreBE16(bytes + 4, static_cast<std::uint16_t>(x2 + z[2]));
  StoreBE16(bytes + 6, static_cast<std::uint16_t>(Mul(x4, z[3])));
}

}  // namespace

namespace idea {

std::uint16_t Multiply(std::uint16_t a, std::uint16_t b) {
  return static_cast<std::uint16_t>(Mul(a, b));
}

// Extended Euclid on 65537 and x; 0 (65536 = -1) and 1 are their own inverses.
std::uint16_t MultiplicativeInverse(std::uint16_t x) {
  if (x <= 1) return x;
  std::int32_t r0 = 65537, r1 = x, t0 = 0, t1 = 1;
  while (r1 != 1) {
    const std::int32_t q = r0 / r1;
    std::int32_t next = r0 - q * r1;
    r0 = r1;
    r1 = next;
    next = t0 - q * t1;
    t0 = t1;
    t1 = next;
  }
  return static_cast<std::uint16_t>(t1 < 0 ? t1 + 65537 : t1);
}

}  // namespace idea

void TCipher_IDEA::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  ExpandEncryptionKey(static_cast<const std::uint8_t*>(key), size);
  InvertEncryptionKey();
  FinishInit(iVector);
}

// Each group of eight subkeys is the 128-bit key rotated left by 25 bits
// against the group before: word p of a group is bits 25 + 16p onwards of
// the previous group.
void TCipher_IDEA::ExpandEncryptionKey(const std::uint8_t* key, int size) {
  std::uint16_t* z = key_->encrypt;
  // The schedule is zero after BeginInit, so a short key arrives zero-padded.
  if (size > 0) std::memcpy(z, key, static_cast<std::size_t>(size));
  for (int i = 0; i < 8; ++i) z[i] = LoadBE16(&z[i]);
  for (int i = 8; i < SubkeyCount; ++i) {
    const std::uint16_t* previous = z + (i / 8 - 1) * 8;
    const int p = i % 8;
    z[i] = static_cast<std::uint16_t>(previous[(p + 1) % 8] << 9 | previous[(p + 2) % 8] >> 7);
  }
}

// Decryption runs the same rounds with the inverse subkeys in reverse order;
// the two additive subkeys change places except in the first and last step.
void TCipher_IDEA::InvertEncryptionKey() {
  const std::uint16_t* z = key_->encrypt;
  std::uint16_t* d = key_->decrypt;
  for (int round = 0; round <= 8; ++round) {
    const std::uint16_t* k = z + 48 - 6 * round;
    const bool swapAdditions = round != 0 && round != 8;
    d[6 * round] = idea::MultiplicativeInverse(k[0]);
    d[6 * round + 1] = Negate(swapAdditions ? k[2] : k[1]);
    d[6 * round + 2] = Negate(swapAdditions ? k[1] : k[2]);
    d[6 * round + 3] = idea::MultiplicativeInverse(k[3]);
    if (round == 8) break;
    d[6 * round + 4] = k[-2];
    d[6 * round + 5] = k[-1];
  }
}

void TCipher_IDEA::EncryptBlock(void* block) { Crypt(key_->encrypt, block); }

void TCipher_IDEA::DecryptBlock(void* block) { Crypt(key_->decrypt, block); }

}  // namespace hushlake
