#pragma once
// Inside the noise pass: the pieces both row kernels share. Draw n of a row
// (n = 3t + k, step t) lands on byte 2t + k; a byte at an even offset from 2
// on gets draw 3t - 1 and then draw 3t.
#include <cstddef>
#include <cstdint>

#include "stego/random_source.h"

namespace hushlake::noise_detail {

// A draw of 2 is a move of 0, which never changes a byte.
inline constexpr std::uint8_t NeutralDraw = 2;

inline std::uint8_t DrawFromState(std::uint32_t state) {
  return static_cast<std::uint8_t>((std::uint64_t{5} * state) >> 32);
}

inline std::uint8_t Nudge(std::uint8_t byte, std::uint8_t draw) {
  const int moved = byte + draw - 2;
  return static_cast<unsigned>(moved) <= 254u ? static_cast<std::uint8_t>(moved) : byte;
}

// Draws First .. End - 1 of a row one by one, from the generator state
// before draw First; bytes from Limit on are left alone.
inline void WalkDraws(std::uint8_t* row, std::size_t limit, std::uint32_t state, std::size_t first,
                      std::size_t end) {
  for (std::size_t n = first; n < end; ++n) {
    state = state * RandomMultiplier + RandomIncrement;
    const std::size_t offset = 2 * (n / 3) + n % 3;
    if (offset < limit) row[offset] = Nudge(row[offset], DrawFromState(state));
  }
}

// The rest of a row after the first Done steps went in rounds that leave
// the third draw of their last step (it lands on the byte after them) to
// the walk: from that draw on, one at a time.
inline void FinishRowAfterRounds(std::uint8_t* row, std::size_t limit, std::uint32_t state,
                                 std::size_t done, std::size_t steps) {
  const std::size_t first = done == 0 ? 0 : 3 * done - 1;
  WalkDraws(row, limit, RandomJumpOf(first)(state), first, 3 * steps);
}

// One row: Steps two-byte steps, bytes below Limit, from the generator state
// before the row's first draw. Each kernel gives exactly the serial result.
using RowKernel = void (*)(std::uint8_t* row, std::size_t steps, std::size_t limit,
                           std::uint32_t state);

void NoiseRowPortable(std::uint8_t* row, std::size_t steps, std::size_t limit, std::uint32_t state);
// Null when the processor cannot run them.
RowKernel Sse2RowKernel();
RowKernel Avx2RowKernel();
RowKernel Avx512RowKernel();

}  // namespace hushlake::noise_detail
