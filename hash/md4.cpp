// MD4 (RFC 1320).
#include "crypto/bytes.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_MD4::Class = {
    .className = "THash_MD4",
    .displayName = "Message Digest 4",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 64,
    .referenceDigestHex = "25eabfcc8cc96fd92dcf7ebd7f877c7c",
    .create = &CreateHashInstance<THash_MD4>,
};

namespace {

constexpr int MessageIndex[48] = {0, 1, 2, 3,  4, 5,  6, 7,  8, 9, 10, 11, 12, 13, 14, 15,
                                  0, 4, 8, 12, 1, 5,  9, 13, 2, 6, 10, 14, 3,  7,  11, 15,
                                  0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5,  13, 3,  11, 7,  15};
constexpr int Rotation[3][4] = {{3, 7, 11, 19}, {3, 5, 9, 13}, {3, 9, 11, 15}};
constexpr std::uint32_t RoundConstant[3] = {0, 0x5A827999u, 0x6ED9EBA1u};

template <int I>
struct Md4Step {
  HUSHLAKE_ALWAYS_INLINE static void Run(std::uint32_t (&v)[4], const std::uint8_t*& block) {
    constexpr int a = unrolled::Role<4>(I, 0), b = unrolled::Role<4>(I, 1),
                  c = unrolled::Role<4>(I, 2), d = unrolled::Role<4>(I, 3);
    constexpr int round = I / 16;
    std::uint32_t f;
    if constexpr (round == 0)
      f = v[d] ^ (v[b] & (v[c] ^ v[d]));
    else if constexpr (round == 1)
      f = (v[b] & v[c]) | (v[d] & (v[b] | v[c]));
    else
      f = v[b] ^ v[c] ^ v[d];
    v[a] = std::rotl(v[a] + f + LoadLE32(block + 4 * MessageIndex[I]) + RoundConstant[round],
                     Rotation[round][I % 4]);
  }
};

}  // namespace

void THash_MD4::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* chain = Chain();
  std::uint32_t v[4] = {chain[0], chain[1], chain[2], chain[3]};
  unrolled::Steps<Md4Step, 0, 48>(v, block);
  for (int i = 0; i < 4; ++i) chain[i] += v[i];
}

}  // namespace hushlake
