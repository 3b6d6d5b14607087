// SHA as first published (FIPS 180, "SHA-0") and SHA-1 (FIPS 180-1). They
// differ only in the one-bit rotation of the message schedule.
#include "crypto/bytes.h"
#include "crypto/support.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_SHA::Class = {
    .className = "THash_SHA",
    .displayName = "Secure Hash Algorithm",
    .category = "Hash",
    .digestSize = 20,
    .blockSize = 64,
    .referenceDigestHex = "dc1f7d7c96ddc7fc4d0af2cc12e7f7665bb185ac",
    .create = &CreateHashInstance<THash_SHA>,
};
const THashClass THash_SHA1::Class = {
    .className = "THash_SHA1",
    .displayName = "Secure Hash Algorithm 1",
    .category = "Hash",
    .digestSize = 20,
    .blockSize = 64,
    .referenceDigestHex = "9a012e63962a92ebd82ef0bc1ca4516a08692e68",
    .create = &CreateHashInstance<THash_SHA1>,
};

namespace {

// The schedule is 80 words: the 16 message words read big-endian, then
// W[t] = W[t-3] ^ W[t-8] ^ W[t-14] ^ W[t-16], rotated left by one for SHA-1
// and left as it is for SHA-0. Each word is made just before the step that
// uses it and kept in a window of the last 16: spelling all 80 out first
// costs a quarter of the speed, as the expansion then cannot overlap the rounds.
template <bool RotateSchedule, int T>
HUSHLAKE_ALWAYS_INLINE std::uint32_t ShaScheduleProc(std::uint32_t (&window)[16],
                                                     const std::uint8_t* block) {
  std::uint32_t word;
  if constexpr (T < 16) {
    word = LoadBE32(block + 4 * T);
  } else {
    word = window[(T - 3) % 16] ^ window[(T - 8) % 16] ^ window[(T - 14) % 16] ^ window[T % 16];
    if constexpr (RotateSchedule) word = std::rotl(word, 1);
  }
  window[T % 16] = word;
  return word;
}

template <bool RotateSchedule>
struct ShaSteps {
  template <int I>
  struct Step {
    HUSHLAKE_ALWAYS_INLINE static void Run(std::uint32_t (&v)[5], std::uint32_t (&window)[16],
                                           const std::uint8_t*& block) {
      constexpr int a = unrolled::Role<5>(I, 0), b = unrolled::Role<5>(I, 1),
                    c = unrolled::Role<5>(I, 2), d = unrolled::Role<5>(I, 3),
                    e = unrolled::Role<5>(I, 4);
      constexpr int round = I / 20;
      std::uint32_t f;
      std::uint32_t k;
      if constexpr (round == 0) {
        f = v[d] ^ (v[b] & (v[c] ^ v[d]));
        k = 0x5A827999u;
      } else if constexpr (round == 1) {
        f = v[b] ^ v[c] ^ v[d];
        k = 0x6ED9EBA1u;
      } else if constexpr (round == 2) {
        f = (v[b] & v[c]) | (v[d] & (v[b] | v[c]));
        k = 0x8F1BBCDCu;
      } else {
        f = v[b] ^ v[c] ^ v[d];
        k = 0xCA62C1D6u;
      }
      v[e] += std::rotl(v[a], 5) + f + ShaScheduleProc<RotateSchedule, I>(window, block) + k;
      v[b] = std::rotl(v[b], 30);
    }
  };
};

template <bool RotateSchedule>
void Compress(std::uint32_t* h, const std::uint8_t* block) {
  std::uint32_t window[16];
  std::uint32_t v[5] = {h[0], h[1], h[2], h[3], h[4]};
  unrolled::Steps<ShaSteps<RotateSchedule>::template Step, 0, 80>(v, window, block);
  for (int i = 0; i < 5; ++i) h[i] += v[i];
}

}  // namespace

void THash_SHA::CompressBlock(const std::uint8_t* block) {
  if (rotateSchedule_)
    Compress<true>(Chain(), block);
  else
    Compress<false>(Chain(), block);
}

void THash_SHA::Final() {
  PadAndCompress(0x80, LengthOrder::BigEndian);
  // The words become big-endian in place; an Update after Final goes on from them.
  std::uint32_t* h = Chain();
  for (int i = 0; i < 5; ++i) h[i] = ByteSwap32(h[i]);
  ChainHook(false);
}

void THash_SHA1::Init() {
  rotateSchedule_ = true;
  THash_SHA::Init();
}

}  // namespace hushlake
