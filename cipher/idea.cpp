#include "cipher/idea.h"

#include <cstring>

#include "crypto/bytes.h"

namespace hushlake {

// The class's reference output was computed by this implementation once it
// reproduced the published IDEA vectors; the value is ours to fix.
const TCipherClass TCipher_IDEA::Class = {
    "TCipher_IDEA", "IDEA", "free for non-commercial", 8, 16, 208,
    "8c65cad843e79993ed41ea48fd665094a2256dd7b1d09a233dd2e8ecc9457f7e",
    &CreateCipherInstance<TCipher_IDEA>};

namespace idea {

std::uint16_t Multiply(std::uint16_t a, std::uint16_t b) {
  const std::uint32_t product = std::uint32_t{a} * b;
  // A zero product means a factor of 65536 = -1 (mod 65537).
  if (product == 0) return static_cast<std::uint16_t>(1 - a - b);
  const std::uint32_t low = product & 0xFFFF, high = product >> 16;
  // 2^16 = -1 (mod 65537), so the product is low - high, wrapped into range.
  return static_cast<std::uint16_t>(low - high + (low < high ? 1 : 0));
}

// x^65535 = x^-1 (mod 65537) by Fermat; 65536 = -1 is its own inverse.
std::uint16_t MultiplicativeInverse(std::uint16_t x) {
  std::uint16_t result = 1;
  for (int bit = 0; bit < 16; ++bit) {
    result = Multiply(result, result);
    result = Multiply(result, x);
  }
  return result;
}

}  // namespace idea

namespace {

using idea::Multiply;

inline std::uint16_t Negate(std::uint16_t x) { return static_cast<std::uint16_t>(0 - x); }

// Eight rounds and the output transformation with 52 subkeys; the middle
// words are swapped in every round and the last swap is undone on output.
inline void Crypt(const std::uint16_t* z, void* block) {
  auto* bytes = static_cast<std::uint8_t*>(block);
  std::uint16_t x1 = LoadBE16(bytes), x2 = LoadBE16(bytes + 2);
  std::uint16_t x3 = LoadBE16(bytes + 4), x4 = LoadBE16(bytes + 6);
  for (int round = 0; round < 8; ++round, z += 6) {
    x1 = Multiply(x1, z[0]);
    x2 = static_cast<std::uint16_t>(x2 + z[1]);
    x3 = static_cast<std::uint16_t>(x3 + z[2]);
    x4 = Multiply(x4, z[3]);
    const std::uint16_t t1 = Multiply(static_cast<std::uint16_t>(x1 ^ x3), z[4]);
    const std::uint16_t t2 =
        Multiply(static_cast<std::uint16_t>(t1 + (x2 ^ x4)), z[5]);
    const auto t3 = static_cast<std::uint16_t>(t1 + t2);
    x1 ^= t2;
    x4 ^= t3;
    const std::uint16_t middle = x2 ^ t3;
    x2 = x3 ^ t2;
    x3 = middle;
  }
  StoreBE16(bytes, Multiply(x1, z[0]));
  StoreBE16(bytes + 2, static_cast<std::uint16_t>(x3 + z[1]));
  StoreBE16(bytes + 4, static_cast<std::uint16_t>(x2 + z[2]));
  StoreBE16(bytes + 6, Multiply(x4, z[3]));
}

}  // namespace

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
