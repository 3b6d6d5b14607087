// The noise pass's row kernel with SSE2, which every x86-64 processor has:
// eight steps (24 draws over 16 bytes) per round, the step states jumped
// ahead together, the bytes handled as eight even and eight odd 16-bit lanes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "stego/noise_kernels.h"
#include "stego/random_source.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace hushlake::noise_detail {

namespace {

constexpr std::size_t StepsPerRound = 8;

__m128i Broadcast(std::uint32_t value) { return _mm_set1_epi32(static_cast<int>(value)); }

// The low 32 bits of each lane's product (SSE2 multiplies only even lanes).
__m128i MultiplyLow(__m128i a, __m128i b) {
  const __m128i even = _mm_mul_epu32(a, b);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(a, 32), _mm_srli_epi64(b, 32));
  return _mm_unpacklo_epi32(_mm_shuffle_epi32(even, 0x08), _mm_shuffle_epi32(odd, 0x08));
}

__m128i Advance(__m128i states, RandomJump jump) {
  return _mm_add_epi32(MultiplyLow(states, Broadcast(jump.multiplier)), Broadcast(jump.increment));
}

// floor(5 * state / 2^32) per lane, from two 32 x 32 -> 64-bit products.
__m128i Draws(__m128i states) {
  const __m128i five = _mm_set1_epi32(5);
  const __m128i even = _mm_srli_epi64(_mm_mul_epu32(states, five), 32);
  const __m128i odd = _mm_mul_epu32(_mm_srli_epi64(states, 32), five);
  const __m128i oddHigh = _mm_and_si128(odd, _mm_set_epi32(-1, 0, -1, 0));
  return _mm_or_si128(even, oddHigh);
}

// The draws of eight steps as 16-bit lanes (they are 0 .. 4).
__m128i Draws16(__m128i lowSteps, __m128i highSteps) {
  return _mm_packs_epi32(Draws(lowSteps), Draws(highSteps));
}

// Byte + draw - 2 where that stays within 0 .. 254, in 16-bit lanes.
__m128i Nudge(__m128i bytes, __m128i draws) {
  const __m128i moved = _mm_add_epi16(bytes, _mm_sub_epi16(draws, _mm_set1_epi16(2)));
  const __m128i inside = _mm_and_si128(_mm_cmpgt_epi16(moved, _mm_set1_epi16(-1)),
                                       _mm_cmplt_epi16(moved, _mm_set1_epi16(255)));
  return _mm_or_si128(_mm_and_si128(inside, moved), _mm_andnot_si128(inside, bytes));
}

// Lane l of the result: jump(3l + Offset), for steps 0..3 (High false) or 4..7.
__m128i LaneJump(std::size_t offset, bool high, bool multipliers) {
  std::uint32_t values[4];
  for (std::size_t l = 0; l < 4; ++l) {
    const RandomJump jump = RandomJumpOf(3 * (l + (high ? 4 : 0)) + offset);
    values[l] = multipliers ? jump.multiplier : jump.increment;
  }
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(values));
}

void NoiseRowSse2(std::uint8_t* row, std::size_t steps, std::size_t limit, std::uint32_t state) {
  const __m128i stateWide = Broadcast(state);
  __m128i low =
      _mm_add_epi32(MultiplyLow(stateWide, LaneJump(1, false, true)), LaneJump(1, false, false));
  __m128i high =
      _mm_add_epi32(MultiplyLow(stateWide, LaneJump(1, true, true)), LaneJump(1, true, false));
  const RandomJump second = RandomJumpOf(1), third = RandomJumpOf(2);
  const RandomJump round = RandomJumpOf(3 * StepsPerRound);
  // Lane 7 of the last round's third draws belongs to the byte after it.
  __m128i carried = _mm_set1_epi16(NeutralDraw);
  const std::size_t rounds = std::min(steps, limit / 2) / StepsPerRound;
  for (std::size_t r = 0; r < rounds; ++r) {
    const __m128i firstDraws = Draws16(low, high);
    const __m128i secondDraws = Draws16(Advance(low, second), Advance(high, second));
    const __m128i thirdDraws = Draws16(Advance(low, third), Advance(high, third));
    const __m128i earlierDraws =
        _mm_or_si128(_mm_slli_si128(thirdDraws, 2), _mm_srli_si128(carried, 14));
    carried = thirdDraws;
    std::uint8_t* bytes = row + 2 * StepsPerRound * r;
    const __m128i pairs = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i even =
        Nudge(Nudge(_mm_and_si128(pairs, _mm_set1_epi16(0xFF)), earlierDraws), firstDraws);
    const __m128i odd = Nudge(_mm_srli_epi16(pairs, 8), secondDraws);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), _mm_or_si128(even, _mm_slli_epi16(odd, 8)));
    low = Advance(low, round);
    high = Advance(high, round);
  }
  FinishRowAfterRounds(row, limit, state, rounds * StepsPerRound, steps);
}

}  // namespace

RowKernel Sse2RowKernel() { return &NoiseRowSse2; }

}  // namespace hushlake::noise_detail

#else

namespace hushlake::noise_detail {
RowKernel Sse2RowKernel() { return nullptr; }
}  // namespace hushlake::noise_detail

#endif
