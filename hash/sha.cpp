// SHA as first published (FIPS 180, "SHA-0") and SHA-1 (FIPS 180-1). They
// differ only in the one-bit rotation of the message schedule.
#include "crypto/bytes.h"
#include "crypto/support.h"
#include "hash/md4_family.h"
#include "hash/unrolled_steps.h"

namespace hushlake {

const THashClass THash_SHA::Class{"THash_SHA", "Secure Hash Algorithm", "Hash", 20, 64,
                                  "dc1f7d7c96ddc7fc4d0af2cc12e7f7665bb185ac",
                                  &CreateHashInstance<THash_SHA>};
const THashClass THash_SHA1::Class{"THash_SHA1", "Secure Hash Algorithm 1", "Hash", 20, 64,
                                   "9a012e63962a92ebd82ef0bc1ca4516a08692e68",
                                   &CreateHashInstance<THash_SHA1>};

namespace {

using Schedule = std::array<std::uint32_t, 80>;

template <bool Rotate>
HUSHLAKE_ALWAYS_INLINE void ExpandSchedule(const std::uint8_t* block, Schedule& w) {
  for (int t = 0; t < 16; ++t) w[t] = LoadBE32(block + 4 * t);
  for (int t = 16; t < 80; ++t) {
    const std::uint32_t mixed = w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16];
    w[t] = Rotate ? std::rotl(mixed, 1) : mixed;
  }
}

template <int I>
struct ShaStep {
  HUSHLAKE_ALWAYS_INLINE static void Run(std::uint32_t (&v)[5], const Schedule& w) {
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
    v[e] += std::rotl(v[a], 5) + f + w[I] + k;
    v[b] = std::rotl(v[b], 30);
  }
};

}  // namespace

void ShaScheduleProc(const std::uint8_t* block, bool rotateSchedule, Schedule& schedule) {
  // The byte swaps are single instructions on every processor this runs on,
  // so there is no second variant to choose from.
  if (rotateSchedule)
    ExpandSchedule<true>(block, schedule);
  else
    ExpandSchedule<false>(block, schedule);
}

void THash_SHA::CompressBlock(const std::uint8_t* block) {
  Schedule w;
  ShaScheduleProc(block, rotateSchedule_, w);
  std::uint32_t* h = Chain();
  std::uint32_t v[5] = {h[0], h[1], h[2], h[3], h[4]};
  unrolled::Steps<ShaStep, 0, 80>(v, w);
  for (int i = 0; i < 5; ++i) h[i] += v[i];
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
