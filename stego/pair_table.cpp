#include "stego/pair_table.h"

#include <algorithm>
#include <numeric>

#include "stego/random_source.h"

namespace hushlake {

namespace {

using DistanceRow = std::array<std::uint32_t, 256>;

// The tie rule: Distance is raised by one for every earlier column, in column
// order, whose (already settled) distance equals it at that moment. Only
// earlier distances in [Distance, Distance + Count) can ever match, so the
// column-by-column scan runs only when one of them is there.
std::uint32_t SettleTie(const DistanceRow& settled, std::uint32_t count, std::uint32_t distance) {
  bool candidate = false;
  for (std::uint32_t k = 0; k < count; ++k) candidate |= settled[k] - distance < count;
  if (!candidate) return distance;
  for (std::uint32_t k = 0; k < count; ++k) distance += settled[k] == distance ? 1u : 0u;
  return distance;
}

// One selection sort step per column 1, 2, ...: the smallest distance below
// the limit among the columns from here on, the leftmost of equals, swapped
// into this column; it stops at the first column where none is left. Since
// only the leftmost of equal distances can depend on earlier swaps, the
// candidates are sorted once and ties are resolved by where each one
// currently stands.
void SortNeighbours(DistanceRow& distance, std::array<std::uint8_t, 256>& index) {
  std::array<std::uint8_t, 256> columnOf;  // by original column, where it stands now
  std::array<std::uint8_t, 256> standing;  // by column, the original column there
  std::array<std::uint8_t, 256> order;
  std::size_t candidates = 0;
  for (int column = 0; column < 256; ++column) {
    columnOf[column] = standing[column] = static_cast<std::uint8_t>(column);
    if (column >= 1 && distance[column] < PairSortLimit)
      order[candidates++] = static_cast<std::uint8_t>(column);
  }
  std::stable_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(candidates),
                   [&](std::uint8_t a, std::uint8_t b) { return distance[a] < distance[b]; });
  const DistanceRow original = distance;
  const std::array<std::uint8_t, 256> originalIndex = index;
  for (std::size_t next = 0; next < candidates; ++next) {
    std::size_t pick = next;
    for (std::size_t tie = next + 1;
         tie < candidates && original[order[tie]] == original[order[next]]; ++tie)
      if (columnOf[order[tie]] < columnOf[order[pick]]) pick = tie;
    std::swap(order[next], order[pick]);
    const std::uint8_t chosen = order[next];
    const auto target = static_cast<std::uint8_t>(next + 1);
    const std::uint8_t from = columnOf[chosen];
    const std::uint8_t displaced = standing[target];
    standing[from] = displaced;
    columnOf[displaced] = from;
    standing[target] = chosen;
    columnOf[chosen] = target;
  }
  for (int column = 0; column < 256; ++column) {
    distance[column] = original[standing[column]];
    index[column] = originalIndex[standing[column]];
  }
}

}  // namespace

PairTable::PairTable(const Palette& palette) : entries_(256 * 256), columns_(256 * 256) {
  for (int centre = 0; centre < 256; ++centre) BuildRow(palette, centre);
}

void PairTable::BuildRow(const Palette& palette, int centre) {
  DistanceRow distance;
  std::array<std::uint8_t, 256> index;
  for (std::uint32_t j = 0; j < 256; ++j) {
    distance[j] = SettleTie(distance, j, ColourDistance(palette[centre], palette[j]));
    index[j] = static_cast<std::uint8_t>(j);
  }
  std::swap(distance[0], distance[centre]);
  std::swap(index[0], index[centre]);
  SortNeighbours(distance, index);
  std::uint8_t* row = &entries_[centre * 256u];
  std::uint8_t* inverse = &columns_[centre * 256u];
  for (int column = 0; column < 256; ++column) {
    row[column] = index[column];
    inverse[index[column]] = static_cast<std::uint8_t>(column);
  }
}

namespace {

std::uint8_t MoveChannel(std::uint8_t value, std::uint32_t amount) {
  return static_cast<std::uint8_t>(value < 125 ? value + amount : value - amount);
}

bool SameColour(const PaletteEntry& a, const PaletteEntry& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool DuplicatePass(Palette& palette) {
  bool changed = false;
  for (std::uint32_t i = 0; i < 255; ++i) {
    for (std::uint32_t j = i + 1; j < 256; ++j) {
      if (!SameColour(palette[i], palette[j])) continue;
      SeedFromClock();
      PaletteEntry& entry = palette[j];
      entry.red = MoveChannel(entry.red, j % 5 + RandomBelow(3));
      entry.green = MoveChannel(entry.green, j % 5 + RandomBelow(3));
      entry.blue = MoveChannel(entry.blue, j % 5 + RandomBelow(3));
      changed = true;  // also when every amount was 0: the pair is met again
    }
  }
  return changed;
}

}  // namespace

int MakePaletteDistinct(Palette& palette) {
  int passes = 1;
  while (DuplicatePass(palette)) ++passes;
  return passes;
}

}  // namespace hushlake
