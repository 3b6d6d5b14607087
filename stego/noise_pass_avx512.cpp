// The noise pass's row kernel for processors with AVX-512: sixteen steps (48
// draws over 32 bytes) per round, as the AVX2 kernel's eight, with masks
// where that one blends.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "stego/noise_kernels.h"
#include "stego/random_source.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

// GCC 12 takes the values that the AVX-512 intrinsics leave undefined on
// purpose (a register whose old contents do not matter) for uninitialised
// reads of ours.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace hushlake::noise_detail {

namespace {

constexpr std::size_t StepsPerRound = 16;

int AsInt(std::uint32_t value) { return static_cast<int>(value); }

__attribute__((target("avx512f"))) inline __m512i Broadcast(std::uint32_t value) {
  return _mm512_set1_epi32(AsInt(value));
}

// Lane l holds jump(3l + offset): the states of sixteen consecutive steps.
__attribute__((target("avx512f"))) inline __m512i LaneJump(std::size_t offset, bool multipliers) {
  alignas(64) std::uint32_t values[StepsPerRound];
  for (std::size_t l = 0; l < StepsPerRound; ++l) {
    const RandomJump jump = RandomJumpOf(3 * l + offset);
    values[l] = multipliers ? jump.multiplier : jump.increment;
  }
  return _mm512_load_si512(values);
}

__attribute__((target("avx512f"))) inline __m512i Advance(__m512i states, RandomJump jump) {
  return _mm512_add_epi32(_mm512_mullo_epi32(states, Broadcast(jump.multiplier)),
                          Broadcast(jump.increment));
}

// floor(5 * state / 2^32) per lane, from two 32 x 32 -> 64-bit products.
__attribute__((target("avx512f"))) inline __m512i Draws(__m512i states) {
  const __m512i five = _mm512_set1_epi64(5);
  const __m512i even = _mm512_srli_epi64(_mm512_mul_epu32(states, five), 32);
  const __m512i odd = _mm512_mul_epu32(_mm512_srli_epi64(states, 32), five);
  return _mm512_mask_blend_epi32(0xAAAA, even, odd);
}

// Byte + draw - 2 where that stays within 0 .. 254 (it is at least -2).
__attribute__((target("avx512f"))) inline __m512i Nudge(__m512i bytes, __m512i draws) {
  const __m512i moved = _mm512_add_epi32(bytes, _mm512_sub_epi32(draws, _mm512_set1_epi32(2)));
  return _mm512_mask_mov_epi32(bytes, _mm512_cmple_epu32_mask(moved, _mm512_set1_epi32(254)),
                               moved);
}

__attribute__((target("avx512f"))) void NoiseRowAvx512(std::uint8_t* row, std::size_t steps,
                                                       std::size_t limit, std::uint32_t state) {
  // The same for every row, so worked out once.
  static const __m512i laneMultipliers = LaneJump(1, true), laneIncrements = LaneJump(1, false);
  __m512i u =
      _mm512_add_epi32(_mm512_mullo_epi32(Broadcast(state), laneMultipliers), laneIncrements);
  const RandomJump second = RandomJumpOf(1), third = RandomJumpOf(2);
  const RandomJump round = RandomJumpOf(3 * StepsPerRound);
  const __m512i previousLane =
      _mm512_setr_epi32(15, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14);
  // Lane 0 carries the third draw of the step before the round.
  __m512i carried = _mm512_set1_epi32(NeutralDraw);
  // Rounds cover bytes 2 t0 .. 2 t0 + 31; the byte after them waits for the
  // carried draw, so rounds stop where the row (or its visited part) ends.
  const std::size_t rounds = std::min(steps, limit / 2) / StepsPerRound;
  for (std::size_t r = 0; r < rounds; ++r) {
    const __m512i firstDraws = Draws(u);
    const __m512i secondDraws = Draws(Advance(u, second));
    const __m512i thirdDraws = _mm512_permutexvar_epi32(previousLane, Draws(Advance(u, third)));
    const __m512i earlierDraws = _mm512_mask_blend_epi32(0x0001, thirdDraws, carried);
    carried = thirdDraws;
    std::uint8_t* bytes = row + 2 * StepsPerRound * r;
    const __m512i pairs =
        _mm512_cvtepu16_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes)));
    const __m512i even =
        Nudge(Nudge(_mm512_and_si512(pairs, _mm512_set1_epi32(0xFF)), earlierDraws), firstDraws);
    const __m512i odd = Nudge(_mm512_srli_epi32(pairs, 8), secondDraws);
    const __m512i joined = _mm512_or_si512(even, _mm512_slli_epi32(odd, 8));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes), _mm512_cvtepi32_epi16(joined));
    u = Advance(u, round);
  }
  FinishRowAfterRounds(row, limit, state, rounds * StepsPerRound, steps);
}

}  // namespace

RowKernel Avx512RowKernel() {
  static const bool available = __builtin_cpu_supports("avx512f");
  return available ? &NoiseRowAvx512 : nullptr;
}

}  // namespace hushlake::noise_detail

#else

namespace hushlake::noise_detail {
RowKernel Avx512RowKernel() { return nullptr; }
}  // namespace hushlake::noise_detail

#endif
