#include "cipher/blowfish.h"

#include <algorithm>

#include "cipher/blowfish_tables.h"
#include "crypto/bytes.h"

namespace hushlake {

const TCipherClass TCipher_Blowfish::Class = {
    .className = "TCipher_Blowfish",
    .displayName = "Blowfish",
    .note = "",
    .blockSize = 8,
    .keySize = 56,
    .userSize = 4168,
    .referenceOutputHex = "1971cacd2b9c8529da8147b7ebce16c6910e1dc840123e3570edbc964c13d0b8",
    .create = &CreateCipherInstance<TCipher_Blowfish>,
};

namespace {

inline std::uint64_t LoadBE64(const void* p) { return __builtin_bswap64(LoadLE64(p)); }
inline void StoreBE64(void* p, std::uint64_t v) { StoreLE64(p, __builtin_bswap64(v)); }

struct Halves {
  std::uint32_t left, right;
};

template <class Schedule>
inline std::uint32_t F(const Schedule& k, std::uint32_t x) {
  return ((k.s[0][x >> 24] + k.s[1][(x >> 16) & 0xFF]) ^ k.s[2][(x >> 8) & 0xFF]) +
         k.s[3][x & 0xFF];
}

// Sixteen rounds with the swap of the last one undone; returns the halves in
// output order.
template <class Schedule>
inline Halves EncryptHalves(const Schedule& k, std::uint32_t l, std::uint32_t r) {
  l ^= k.p[0];
  for (int i = 1; i < 17; i += 2) {
    r ^= F(k, l) ^ k.p[i];
    l ^= F(k, r) ^ k.p[i + 1];
  }
  return {r ^ k.p[17], l};
}

template <class Schedule>
inline Halves DecryptHalves(const Schedule& k, std::uint32_t l, std::uint32_t r) {
  l ^= k.p[17];
  for (int i = 16; i > 0; i -= 2) {
    r ^= F(k, l) ^ k.p[i];
    l ^= F(k, r) ^ k.p[i - 1];
  }
  return {r ^ k.p[0], l};
}

}  // namespace

void TCipher_Blowfish::Init(const void* key, int size, const void* iVector) {
  size = BeginInit(size);
  Schedule& k = *key_;
  std::copy(detail::BlowfishInitialP.begin(), detail::BlowfishInitialP.end(), k.p);
  for (int box = 0; box < 4; ++box)
    std::copy(detail::BlowfishInitialS[box].begin(), detail::BlowfishInitialS[box].end(), k.s[box]);
  // The key bytes are cycled by position, so an empty key has nothing to
  // cycle; it is taken as a single zero byte, which leaves P as it is (as any
  // all-zero key does).
  if (size > 0) {
    const auto* bytes = static_cast<const std::uint8_t*>(key);
    int position = 0;
    for (std::uint32_t& word : k.p) {
      std::uint32_t keyWord = 0;
      for (int i = 0; i < 4; ++i) {
        keyWord = (keyWord << 8) | bytes[position];
        position = (position + 1) % size;
      }
      word ^= keyWord;
    }
  }
  // The chained encryptions of the zero block replace P and then the S-boxes.
  Halves block{0, 0};
  for (int i = 0; i < 18; i += 2) {
    block = EncryptHalves(k, block.left, block.right);
    k.p[i] = block.left;
    k.p[i + 1] = block.right;
  }
  for (auto& box : k.s) {
    for (int i = 0; i < 256; i += 2) {
      block = EncryptHalves(k, block.left, block.right);
      box[i] = block.left;
      box[i + 1] = block.right;
    }
  }
  FinishInit(iVector);
}

// The block is read and written as one 64-bit word: the mode code copies
// whole blocks, and a copy that reads back two separate 32-bit stores waits
// for both to reach the cache.
void TCipher_Blowfish::EncryptBlock(void* block) {
  const std::uint64_t in = LoadBE64(block);
  const Halves out =
      EncryptHalves(*key_, static_cast<std::uint32_t>(in >> 32), static_cast<std::uint32_t>(in));
  StoreBE64(block, std::uint64_t{out.left} << 32 | out.right);
}

void TCipher_Blowfish::DecryptBlock(void* block) {
  const std::uint64_t in = LoadBE64(block);
  const Halves out =
      DecryptHalves(*key_, static_cast<std::uint32_t>(in >> 32), static_cast<std::uint32_t>(in));
  StoreBE64(block, std::uint64_t{out.left} << 32 | out.right);
}

}  // namespace hushlake
