#include "stego/sealed/trellis_code.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

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

  // Costs are summed in double: a long path of small costs beside one large one keeps its order.
  std::vector<double> cost(states, kInfinity);
  std::vector<double> next(states);
  cost[0] = 0;
  // One decision bit per state and cover bit: whether the best way into the state flipped it.
  std::vector<std::uint64_t> decisions(cover.size() * wordsPerStep, 0);

  for (std::size_t block = 0; block < messageBits; ++block) {
    for (std::size_t q = 0; q < width; ++q) {
      const std::size_t i = block * width + q;
      const std::uint32_t column = CutColumn(columns[q], block, messageBits, height);
      const double flip = costs[i];
      // Cost of leaving the bit 0 and of setting it 1.
      const double cost0 = (cover[i] & 1u) ? flip : 0.0;
      const double cost1 = (cover[i] & 1u) ? 0.0 : flip;
      std::uint64_t* decision = decisions.data() + i * wordsPerStep;
      for (std::size_t s = 0; s < states; ++s) {
        const double keep = cost[s] + cost0;
        const double take = cost[s ^ column] + cost1;
        const bool took = take < keep;
        next[s] = took ? take : keep;
        decision[s >> 6] |= static_cast<std::uint64_t>(took) << (s & 63);
      }
      cost.swap(next);
    }
    // Row `block` is now complete: only states agreeing with its message bit go on.
    const std::uint32_t want = message[block] & 1u;
    for (std::size_t s = 0; s < states / 2; ++s) next[s] = cost[(s << 1) | want];
    std::fill(next.begin() + static_cast<std::ptrdiff_t>(states / 2), next.end(), kInfinity);
    cost.swap(next);
  }
  if (!(cost[0] < kInfinity)) return std::nullopt;

  TrellisResult result;
  result.cost = cost[0];
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
  return result;
}

}  // namespace hushlake::sealed
