#pragma once
// Straightforward versions of the engine's position order, noise pass and
// pair table, written step by step as the stored format defines them, so the
// fast versions can be proven equal to them.
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "stego/pair_table.h"
#include "stego/picture.h"
#include "stego/position_order.h"
#include "stego/random_source.h"

namespace hushlake::reference {

// The grid list, two materialised strided passes, positions as y * W + x.
inline std::vector<std::int64_t> PositionList(int width, int height, int columnStep,
                                              std::string_view key) {
  const int perRow = (width - columnStep) / columnStep;
  std::vector<std::int64_t> grid;
  for (int y = 0; y < height; ++y)
    for (int i = 1; i <= perRow; ++i) grid.push_back(std::int64_t{y} * width + i * columnStep);
  if (grid.empty()) return {};
  grid.pop_back();
  const auto count = static_cast<std::int64_t>(grid.size());
  std::uint32_t sum = 3;
  for (std::size_t i = 0; i + 1 < key.size(); ++i) sum += static_cast<std::uint8_t>(key[i]);
  std::int64_t first = 3;
  for (std::size_t i = sum % 61; i < StepTable.size(); ++i)
    if (count % StepTable[i] != 0) {
      first = StepTable[i];
      break;
    }
  std::int64_t second = 3;
  for (std::size_t i = StepTable.size(); i-- > 0;)
    if (count % StepTable[i] != 0) {
      second = StepTable[i];
      break;
    }
  const auto pass = [count](const std::vector<std::int64_t>& from, std::int64_t step) {
    std::vector<std::int64_t> to;
    std::int64_t d = 0;
    for (std::int64_t i = 0; i < count; ++i) {
      to.push_back(from[d]);
      d += step;
      if (d >= count) d %= count;
    }
    return to;
  };
  return pass(pass(grid, first), second);
}

// The noise walk exactly as described: three bytes per two-byte step.
inline void AddNoise(Picture& picture, RandomSource& random) {
  const int limit = 3 * picture.Width();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int j = 0; j < limit; j += 2) {
      for (int o = j; o < j + 3; ++o) {
        const int delta = static_cast<int>(random.Below(5)) - 2;
        if (o >= static_cast<int>(picture.RowBytes())) continue;
        const int moved = row[o] + delta;
        if (moved >= 0 && moved <= 254) row[o] = static_cast<std::uint8_t>(moved);
      }
    }
  }
}

// One row of the pair table by the literal procedure (quadratic scans).
inline std::array<std::uint8_t, 256> PairRow(const Palette& palette, int centre) {
  std::array<std::int64_t, 256> dist{};
  std::array<std::uint8_t, 256> row{};
  for (int j = 0; j < 256; ++j) {
    dist[j] = ColourDistance(palette[centre], palette[j]);
    row[j] = static_cast<std::uint8_t>(j);
    for (int k = 0; k < j; ++k)
      if (dist[k] == dist[j]) ++dist[j];
  }
  std::swap(dist[0], dist[centre]);
  std::swap(row[0], row[centre]);
  for (int j = 1; j < 256; ++j) {
    int best = -1;
    for (int k = j; k < 256; ++k)
      if (dist[k] < PairSortLimit && (best < 0 || dist[k] < dist[best])) best = k;
    if (best < 0) continue;
    std::swap(dist[best], dist[j]);
    std::swap(row[best], row[j]);
  }
  return row;
}

}  // namespace hushlake::reference
