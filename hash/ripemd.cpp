// RIPEMD-128, -160, -256 and -320 (Dobbertin, Bosselaers, Preneel). The
// 128/256 pair runs two lines of four working words over four rounds, the
// 160/320 pair two lines of five words over five rounds; the wide variants
// keep the lines apart and swap one word between them after every round.
#include <utility>

#include "crypto/bytes.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_RipeMD128::Class = {
    .className = "THash_RipeMD128",
    .displayName = "Ripe Message Digest 128",
    .category = "Hash",
    .digestSize = 16,
    .blockSize = 64,
    .referenceDigestHex = "cfa032cfd08f873a78df13e7ebcd980f",
    .create = &CreateHashInstance<THash_RipeMD128>,
};
const THashClass THash_RipeMD160::Class = {
    .className = "THash_RipeMD160",
    .displayName = "Ripe Message Digest 160",
    .category = "Hash",
    .digestSize = 20,
    .blockSize = 64,
    .referenceDigestHex = "1954debc1b553530081d9b8070a0f24a9df73404",
    .create = &CreateHashInstance<THash_RipeMD160>,
};
const THashClass THash_RipeMD256::Class = {
    .className = "THash_RipeMD256",
    .displayName = "Ripe Message Digest 256",
    .category = "Hash",
    .digestSize = 32,
    .blockSize = 64,
    .referenceDigestHex = "c3b1d7aca89a477a38d36d39ef00fb45fc4ec31a7121db9e1c76c5de998818c2",
    .create = &CreateHashInstance<THash_RipeMD256>,
};
const THashClass THash_RipeMD320::Class = {
    .className = "THash_RipeMD320",
    .displayName = "Ripe Message Digest 320",
    .category = "Hash",
    .digestSize = 40,
    .blockSize = 64,
    .referenceDigestHex =
        "b7bd2c75b7135091e4670946f1415a4845df8e07ba674ea9fd66ed01d96f2320b51112c5a741a65c",
    .create = &CreateHashInstance<THash_RipeMD320>,
};

namespace {

constexpr int LeftIndex[80] = {0, 1,  2,  3,  4,  5,  6,  7,  8,  9, 10, 11, 12, 13, 14, 15,  //
                               7, 4,  13, 1,  10, 6,  15, 3,  12, 0, 9,  5,  2,  14, 11, 8,   //
                               3, 10, 14, 4,  9,  15, 8,  1,  2,  7, 0,  6,  13, 11, 5,  12,  //
                               1, 9,  11, 10, 0,  8,  12, 4,  13, 3, 7,  15, 14, 5,  6,  2,   //
                               4, 0,  5,  9,  7,  12, 2,  10, 14, 1, 3,  8,  11, 6,  15, 13};
constexpr int RightIndex[80] = {5,  14, 7,  0, 9, 2,  11, 4,  13, 6,  15, 8,  1,  10, 3,  12,  //
                                6,  11, 3,  7, 0, 13, 5,  10, 14, 15, 8,  12, 4,  9,  1,  2,   //
                                15, 5,  1,  3, 7, 14, 6,  9,  11, 8,  12, 2,  10, 0,  4,  13,  //
                                8,  6,  4,  1, 3, 11, 15, 0,  5,  12, 2,  13, 9,  7,  10, 14,  //
                                12, 15, 10, 4, 1, 5,  8,  7,  6,  2,  13, 14, 0,  3,  9,  11};
constexpr int LeftRotation[80] = {
    11, 14, 15, 12, 5,  8,  7,  9,  11, 13, 14, 15, 6,  7,  9,  8,   //
    7,  6,  8,  13, 11, 9,  7,  15, 7,  12, 15, 9,  11, 7,  13, 12,  //
    11, 13, 6,  7,  14, 9,  13, 15, 14, 8,  13, 6,  5,  12, 7,  5,   //
    11, 12, 14, 15, 14, 15, 9,  8,  9,  14, 5,  6,  8,  6,  5,  12,  //
    9,  15, 5,  11, 6,  8,  13, 12, 5,  12, 13, 14, 11, 8,  5,  6};
constexpr int RightRotation[80] = {
    8,  9,  9,  11, 13, 15, 15, 5,  7,  7,  8,  11, 14, 14, 12, 6,   //
    9,  13, 15, 7,  12, 8,  9,  11, 7,  7,  12, 7,  6,  15, 13, 11,  //
    9,  7,  15, 11, 8,  6,  6,  14, 12, 13, 5,  14, 13, 13, 7,  5,   //
    15, 5,  8,  11, 14, 14, 6,  14, 6,  9,  12, 9,  12, 5,  15, 8,   //
    8,  5,  12, 9,  12, 5,  14, 6,  8,  13, 6,  5,  15, 13, 11, 11};
constexpr std::uint32_t LeftConstant[5] = {0x00000000u, 0x5A827999u, 0x6ED9EBA1u, 0x8F1BBCDCu,
                                           0xA953FD4Eu};
// The four-round variants end their right line with 0, the five-round ones
// take 0x7A6D76E9 in round 4 and 0 in round 5.
constexpr std::uint32_t RightConstant128[4] = {0x50A28BE6u, 0x5C4DD124u, 0x6D703EF3u, 0x00000000u};
constexpr std::uint32_t RightConstant160[5] = {0x50A28BE6u, 0x5C4DD124u, 0x6D703EF3u, 0x7A6D76E9u,
                                               0x00000000u};

// The five Boolean functions f1 .. f5.
template <int F>
HUSHLAKE_ALWAYS_INLINE std::uint32_t Boolean(std::uint32_t x, std::uint32_t y, std::uint32_t z) {
  if constexpr (F == 1) return x ^ y ^ z;
  if constexpr (F == 2) return z ^ (x & (y ^ z));
  if constexpr (F == 3) return (x | ~y) ^ z;
  if constexpr (F == 4) return y ^ (z & (x ^ y));
  if constexpr (F == 5) return x ^ (y | ~z);
}

// One step of a line with Words working words (4: RIPEMD-128/256, 5:
// RIPEMD-160/320); the number of rounds equals the number of words.
template <bool Left, int Words, int I>
struct LineStep {
  HUSHLAKE_ALWAYS_INLINE static void Run(std::uint32_t (&v)[Words], const std::uint8_t*& block) {
    constexpr int a = unrolled::Role<Words>(I, 0), b = unrolled::Role<Words>(I, 1),
                  c = unrolled::Role<Words>(I, 2), d = unrolled::Role<Words>(I, 3);
    constexpr int round = I / 16;
    constexpr int function = Left ? round + 1 : Words - round;
    constexpr std::uint32_t k =
        Left ? LeftConstant[round]
             : (Words == 4 ? RightConstant128[round] : RightConstant160[round]);
    const std::uint32_t x = LoadLE32(block + 4 * (Left ? LeftIndex[I] : RightIndex[I]));
    const std::uint32_t sum = v[a] + Boolean<function>(v[b], v[c], v[d]) + x + k;
    constexpr int s = Left ? LeftRotation[I] : RightRotation[I];
    if constexpr (Words == 4) {
      v[a] = std::rotl(sum, s);
    } else {
      constexpr int e = unrolled::Role<5>(I, 4);
      v[a] = std::rotl(sum, s) + v[e];
      v[c] = std::rotl(v[c], 10);
    }
  }
};

template <int I>
using Left4 = LineStep<true, 4, I>;
template <int I>
using Right4 = LineStep<false, 4, I>;
template <int I>
using Left5 = LineStep<true, 5, I>;
template <int I>
using Right5 = LineStep<false, 5, I>;

// Both lines through one round: round R covers steps 16R .. 16R+15.
template <int Round, int Words>
HUSHLAKE_ALWAYS_INLINE void BothLines(std::uint32_t (&left)[Words], std::uint32_t (&right)[Words],
                                      const std::uint8_t*& block) {
  if constexpr (Words == 4) {
    unrolled::Steps<Left4, 16 * Round, 16>(left, block);
    unrolled::Steps<Right4, 16 * Round, 16>(right, block);
  } else {
    unrolled::Steps<Left5, 16 * Round, 16>(left, block);
    unrolled::Steps<Right5, 16 * Round, 16>(right, block);
  }
}

// The designers' exchange schedule of the wide variants: after each round the
// words playing one role (A, B, ...) change lines. Roles move one word on per
// step, so after round R the role's word is found with Role().
template <int Words, int Round>
HUSHLAKE_ALWAYS_INLINE void WideRound(std::uint32_t (&left)[Words], std::uint32_t (&right)[Words],
                                      const std::uint8_t*& block) {
  constexpr int Swap256[4] = {0, 1, 2, 3};     // A, B, C, D
  constexpr int Swap320[5] = {1, 3, 0, 2, 4};  // B, D, A, C, E
  BothLines<Round, Words>(left, right, block);
  constexpr int role = Words == 4 ? Swap256[Round] : Swap320[Round];
  constexpr int word = unrolled::Role<Words>(16 * (Round + 1), role);
  std::swap(left[word], right[word]);
}

template <int Words, int... Round>
HUSHLAKE_ALWAYS_INLINE void WideRounds(std::uint32_t (&left)[Words], std::uint32_t (&right)[Words],
                                       const std::uint8_t*& block,
                                       std::integer_sequence<int, Round...>) {
  (WideRound<Words, Round>(left, right, block), ...);
}

template <int Words, int... Round>
HUSHLAKE_ALWAYS_INLINE void NarrowRounds(std::uint32_t (&left)[Words],
                                         std::uint32_t (&right)[Words], const std::uint8_t*& block,
                                         std::integer_sequence<int, Round...>) {
  (BothLines<Round, Words>(left, right, block), ...);
}

}  // namespace

void THash_RipeMD128::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* h = Chain();
  std::uint32_t l[4] = {h[0], h[1], h[2], h[3]};
  std::uint32_t r[4] = {h[0], h[1], h[2], h[3]};
  NarrowRounds<4>(l, r, block, std::make_integer_sequence<int, 4>{});
  const std::uint32_t t = h[1] + l[2] + r[3];
  h[1] = h[2] + l[3] + r[0];
  h[2] = h[3] + l[0] + r[1];
  h[3] = h[0] + l[1] + r[2];
  h[0] = t;
}

void THash_RipeMD160::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* h = Chain();
  std::uint32_t l[5] = {h[0], h[1], h[2], h[3], h[4]};
  std::uint32_t r[5] = {h[0], h[1], h[2], h[3], h[4]};
  NarrowRounds<5>(l, r, block, std::make_integer_sequence<int, 5>{});
  const std::uint32_t t = h[1] + l[2] + r[3];
  h[1] = h[2] + l[3] + r[4];
  h[2] = h[3] + l[4] + r[0];
  h[3] = h[4] + l[0] + r[1];
  h[4] = h[0] + l[1] + r[2];
  h[0] = t;
}

void THash_RipeMD256::Init() {
  ResetFrame();
  std::uint32_t* h = Chain();
  h[4] = 0x76543210u;
  h[5] = 0xFEDCBA98u;
  h[6] = 0x89ABCDEFu;
  h[7] = 0x01234567u;
  ChainHook(true);
}

void THash_RipeMD256::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* h = Chain();
  std::uint32_t l[4] = {h[0], h[1], h[2], h[3]};
  std::uint32_t r[4] = {h[4], h[5], h[6], h[7]};
  WideRounds<4>(l, r, block, std::make_integer_sequence<int, 4>{});
  for (int i = 0; i < 4; ++i) {
    h[i] += l[i];
    h[4 + i] += r[i];
  }
}

void THash_RipeMD320::CompressBlock(const std::uint8_t* block) {
  std::uint32_t* h = Chain();
  std::uint32_t l[5] = {h[0], h[1], h[2], h[3], h[4]};
  std::uint32_t r[5] = {h[5], h[6], h[7], h[8], h[9]};
  WideRounds<5>(l, r, block, std::make_integer_sequence<int, 5>{});
  for (int i = 0; i < 5; ++i) {
    h[i] += l[i];
    h[5 + i] += r[i];
  }
}

}  // namespace hushlake
