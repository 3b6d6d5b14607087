#include "stego/sealed/trellis_code.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "crypto/sealed/sodium_box.h"

namespace hushlake::sealed {
namespace {

void CheckShape(std::size_t bits, std::size_t messageBits, std::size_t width, int height) {
  if (height < 1 || height > 16 || width == 0 || bits != messageBits * width) {
    throw std::invalid_argument("trellis code: the bits do not fit the code's shape");
  }
}

// The column word of the cover bit in block `block`, cut to the message rows that exist.
std::uint32_t CutColumn(std::uint32_t column, std::size_t block, std::size_t messageBits,
                        int height) {
  const std::size_t rowsLeft = messageBits - block;
  if (rowsLeft >= static_cast<std::size_t>(height)) return column;
  return column & ((std::uint32_t{1} << rowsLeft) - 1);
}

// One cover bit through the trellis: next[s] = min(cost[s] + cost0, cost[s ^ column] + cost1),
// and the decision bit of s set where the second was smaller.
void StepScalar(const float* cost, float* next, std::uint64_t* decision, std::size_t states,
                std::uint32_t column, float cost0, float cost1) {
  for (std::size_t s = 0; s < states; ++s) {
    const float keep = cost[s] + cost0;
    const float take = cost[s ^ column] + cost1;
    const bool took = take < keep;
    next[s] = took ? take : keep;
    decision[s >> 6] |= static_cast<std::uint64_t>(took) << (s & 63);
  }
}

#if defined(__SSE2__)
// The same four states at a time: s ^ column maps the aligned group of four
// states g to the group g ^ (column >> 2), its lanes swapped by column & 3.
template <int Lanes>
void StepGroups(const float* cost, float* next, std::uint64_t* decision, std::size_t states,
                std::uint32_t column, float cost0, float cost1) {
  const __m128 add0 = _mm_set1_ps(cost0);
  const __m128 add1 = _mm_set1_ps(cost1);
  const std::size_t otherGroup = column >> 2;
  // Sixteen groups fill one decision word.
  for (std::size_t word = 0; word < states / 64; ++word) {
    std::uint64_t bits = 0;
    for (std::size_t lane = 0; lane < 16; ++lane) {
      const std::size_t g = word * 16 + lane;
      const __m128 keep = _mm_add_ps(_mm_loadu_ps(cost + 4 * g), add0);
      __m128 other = _mm_loadu_ps(cost + 4 * (g ^ otherGroup));
      if constexpr (Lanes == 1) other = _mm_shuffle_ps(other, other, _MM_SHUFFLE(2, 3, 0, 1));
      if constexpr (Lanes == 2) other = _mm_shuffle_ps(other, other, _MM_SHUFFLE(1, 0, 3, 2));
      if constexpr (Lanes == 3) other = _mm_shuffle_ps(other, other, _MM_SHUFFLE(0, 1, 2, 3));
      const __m128 take = _mm_add_ps(other, add1);
      _mm_storeu_ps(next + 4 * g, _mm_min_ps(take, keep));
      bits |= static_cast<std::uint64_t>(_mm_movemask_ps(_mm_cmplt_ps(take, keep))) << (lane * 4);
    }
    decision[word] = bits;
  }
}
#endif

void Step(const float* cost, float* next, std::uint64_t* decision, std::size_t states,
          std::uint32_t column, float cost0, float cost1) {
#if defined(__SSE2__)
  if (states >= 64) {
    switch (column & 3u) {
      case 0:
        return StepGroups<0>(cost, next, decision, states, column, cost0, cost1);
      case 1:
        return StepGroups<1>(cost, next, decision, states, column, cost0, cost1);
      case 2:
        return StepGroups<2>(cost, next, decision, states, column, cost0, cost1);
      default:
        return StepGroups<3>(cost, next, decision, states, column, cost0, cost1);
    }
  }
#endif
  StepScalar(cost, next, decision, states, column, cost0, cost1);
}

}  // namespace

std::vector<std::uint32_t> TrellisColumns(int height, int width) {
  if (height < 2 || height > 16 || width < 1) {
    throw std::invalid_argument("trellis code: unsupported height or width");
  }
  std::array<std::uint8_t, kNonceBytes> nonce{};
  nonce[0] = static_cast<std::uint8_t>(height);
  for (int i = 0; i < 4; ++i) {
    nonce[1 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> (8 * i));
  }
  KeyStream stream(PublicKeyFromText("hushlake sealed pictures 1 trellis"), nonce);
  const std::uint32_t mask = (std::uint32_t{1} << height) - 1;
  std::vector<std::uint32_t> columns(static_cast<std::size_t>(width));
  for (auto& column : columns) {
    column = (stream.NextWord() & mask) | 1u | (std::uint32_t{1} << (height - 1));
  }
  return columns;
}

std::vector<std::uint8_t> TrellisSyndrome(std::span<const std::uint8_t> bits,
                                          std::size_t messageBits,
                                          std::span<const std::uint32_t> columns, int height) {
  const std::size_t width = columns.size();
  CheckShape(bits.size(), messageBits, width, height);
  std::vector<std::uint8_t> syndrome(messageBits, 0);
  // A window of the next `height` rows, shifted out one row per block.
  std::uint32_t window = 0;
  for (std::size_t block = 0; block < messageBits; ++block) {
    const std::uint8_t* blockBits = bits.data() + block * width;
    for (std::size_t q = 0; q < width; ++q) {
      if (blockBits[q] & 1u) window ^= columns[q];
    }
    syndrome[block] = static_cast<std::uint8_t>(window & 1u);
    window >>= 1;
  }
  return syndrome;
}

std::optional<TrellisResult> TrellisEmbed(std::span<const std::uint8_t> cover,
                                          std::span<const float> costs,
                                          std::span<const std::uint8_t> message,
                                          std::span<const std::uint32_t> columns, int height) {
  const std::size_t width = columns.size();
  const std::size_t messageBits = message.size();
  CheckShape(cover.size(), messageBits, width, height);
  if (costs.size() != cover.size()) throw std::invalid_argument("trellis code: one cost per bit");
  const std::size_t states = std::size_t{1} << height;
  const std::size_t wordsPerStep = (states + 63) / 64;
  constexpr float kInfinity = std::numeric_limits<float>::infinity();

  std::vector<float> cost(states, kInfinity);
  std::vector<float> next(states);
  cost[0] = 0;
  // One decision bit per state and cover bit: whether the best way into the state set the bit.
  std::vector<std::uint64_t> decisions(cover.size() * wordsPerStep, 0);

  for (std::size_t block = 0; block < messageBits; ++block) {
    for (std::size_t q = 0; q < width; ++q) {
      const std::size_t i = block * width + q;
      const std::uint32_t column = CutColumn(columns[q], block, messageBits, height);
      const float flip = costs[i];
      // Cost of leaving the bit 0 and of setting it 1.
      const float cost0 = (cover[i] & 1u) ? flip : 0.0f;
      const float cost1 = (cover[i] & 1u) ? 0.0f : flip;
      Step(cost.data(), next.data(), decisions.data() + i * wordsPerStep, states, column, cost0,
           cost1);
      cost.swap(next);
    }
    // Row `block` is now complete: only states agreeing with its message bit go on. The
    // cheapest is taken off all of them, so the sums stay small and keep their precision.
    const std::uint32_t want = message[block] & 1u;
    float least = kInfinity;
    for (std::size_t s = 0; s < states / 2; ++s) {
      next[s] = cost[(s << 1) | want];
      least = std::min(least, next[s]);
    }
    if (!(least < kInfinity)) return std::nullopt;
    for (std::size_t s = 0; s < states / 2; ++s) next[s] -= least;
    std::fill(next.begin() + static_cast<std::ptrdiff_t>(states / 2), next.end(), kInfinity);
    cost.swap(next);
  }
  if (!(cost[0] < kInfinity)) return std::nullopt;

  TrellisResult result;
  result.bits.assign(cover.begin(), cover.end());
  std::size_t state = 0;
  for (std::size_t block = messageBits; block-- > 0;) {
    state = (state << 1) | (message[block] & 1u);
    for (std::size_t q = width; q-- > 0;) {
      const std::size_t i = block * width + q;
      const std::uint64_t* decision = decisions.data() + i * wordsPerStep;
      const bool took = (decision[state >> 6] >> (state & 63)) & 1u;
      result.bits[i] = took ? 1 : 0;
      if (took) state ^= CutColumn(columns[q], block, messageBits, height);
    }
  }
  for (std::size_t i = 0; i < cover.size(); ++i) {
    if (result.bits[i] != (cover[i] & 1u)) result.cost += costs[i];
  }
  return result;
}

}  // namespace hushlake::sealed
