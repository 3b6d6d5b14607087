// The noise pass's row kernel for processors with AVX2: eight steps (24 draws
// over 16 bytes) per round, the eight step states jumped ahead together.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "stego/noise_kernels.h"
#include "stego/random_source.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace hushlake::noise_detail {

namespace {

constexpr std::size_t StepsPerRound = 8;

int AsInt(std::uint32_t value) { return static_cast<int>(value); }

__attribute__((target("avx2"))) inline __m256i Broadcast(std::uint32_t value) {
  return _mm256_set1_epi32(AsInt(value));
}

// Lane l holds jump(3l + offset): the states of eight consecutive steps.
__attribute__((target("avx2"))) inline __m256i LaneJump(std::size_t offset, bool multipliers) {
  alignas(32) std::uint32_t values[StepsPerRound];
  for (std::size_t l = 0; l < StepsPerRound; ++l) {
    const RandomJump jump = RandomJumpOf(3 * l + offset);
    values[l] = multipliers ? jump.multiplier : jump.increment;
  }
  return _mm256_load_si256(reinterpret_cast<const __m256i*>(values));
}

__attribute__((target("avx2"))) inline __m256i Advance(__m256i states, RandomJump jump) {
  return _mm256_add_epi32(_mm256_mullo_epi32(states, Broadcast(jump.multiplier)),
                          Broadcast(jump.increment));
}

// floor(5 * state / 2^32) per lane, from two 32 x 32 -> 64-bit products.
__attribute__((target("avx2"))) inline __m256i Draws(__m256i states) {
  const __m256i five = _mm256_set1_epi64x(5);
  const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(states, five), 32);
  const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(states, 32), five);
  return _mm256_blend_epi32(even, odd, 0xAA);
}

// Byte + draw - 2 where that stays within 0 .. 254 (it is at least -2).
__attribute__((target("avx2"))) inline __m256i Nudge(__m256i bytes, __m256i draws) {
  const __m256i moved = _mm256_add_epi32(bytes, _mm256_sub_epi32(draws, _mm256_set1_epi32(2)));
  const __m256i inside = _mm256_cmpeq_epi32(_mm256_min_epu32(moved, _mm256_set1_epi32(254)), moved);
  return _mm256_blendv_epi8(bytes, moved, inside);
}

__attribute__((target("avx2"))) void NoiseRowAvx2(std::uint8_t* row, std::size_t steps,
                                                  std::size_t limit, std::uint32_t state) {
  // The same for every row, so worked out once.
  static const __m256i laneMultipliers = LaneJump(1, true), laneIncrements = LaneJump(1, false);
  __m256i u =
      _mm256_add_epi32(_mm256_mullo_epi32(Broadcast(state), laneMultipliers), laneIncrements);
  const RandomJump second = RandomJumpOf(1), third = RandomJumpOf(2);
  const RandomJump round = RandomJumpOf(3 * StepsPerRound);
  const __m256i previousLane = _mm256_setr_epi32(7, 0, 1, 2, 3, 4, 5, 6);
  // Lane 0 carries the third draw of the step before the round.
  __m256i carried = _mm256_set1_epi32(NeutralDraw);
  // Rounds cover bytes 2 t0 .. 2 t0 + 15; the byte after them waits for the
  // carried draw, so rounds stop where the row (or its visited part) ends.
  const std::size_t rounds = std::min(steps, limit / 2) / StepsPerRound;
  for (std::size_t r = 0; r < rounds; ++r) {
    const __m256i firstDraws = Draws(u);
    const __m256i secondDraws = Draws(Advance(u, second));
    const __m256i thirdDraws = _mm256_permutevar8x32_epi32(Draws(Advance(u, third)), previousLane);
    const __m256i earlierDraws = _mm256_blend_epi32(thirdDraws, carried, 0x01);
    carried = thirdDraws;
    std::uint8_t* bytes = row + 2 * StepsPerRound * r;
    const __m256i pairs =
        _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)));
    const __m256i even =
        Nudge(Nudge(_mm256_and_si256(pairs, _mm256_set1_epi32(0xFF)), earlierDraws), firstDraws);
    const __m256i odd = Nudge(_mm256_srli_epi32(pairs, 8), secondDraws);
    const __m256i joined = _mm256_or_si256(even, _mm256_slli_epi32(odd, 8));
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi32(joined, joined), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), _mm256_castsi256_si128(packed));
    u = Advance(u, round);
  }
  FinishRowAfterRounds(row, limit, state, rounds * StepsPerRound, steps);
}

}  // namespace

RowKernel Avx2RowKernel() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available ? &NoiseRowAvx2 : nullptr;
}

}  // namespace hushlake::noise_detail

#else

namespace hushlake::noise_detail {
RowKernel Avx2RowKernel() { return nullptr; }
}  // namespace hushlake::noise_detail

#endif
