#include "stego/pair_table.h"

#include <algorithm>
#include <numeric>
#include <span>
#include <utility>

#include "stego/random_source.h"

namespace hushlake {

namespace {

using DistanceRow = std::array<std::uint32_t, 256>;

// Never a distance (those stay below 2^23).
constexpr std::uint32_t NoDistance = 0xFFFFFFFFu;
// Distances looked up by open addressing: at most 256 keys in 1024 slots.
constexpr std::size_t HashSlots = 1024;
std::size_t HashSlotOf(std::uint32_t distance) { return (distance * 2654435761u) >> 22; }

// The tie rule: column j's distance D is raised by one for every earlier
// column, in column order, whose (already settled) distance equals it at that
// moment. Scanning all earlier columns for every j is quadratic and, for
// palettes with many equal colours, long chains of raises are the rule. So:
//  - once column k matched, everything that follows depends only on k: the
//    value carried on from k (Carry[k], the result of resuming after k with
//    Settled[k] + 1) is kept up to date as columns are appended, which is a
//    branch-free pass over all columns;
//  - D's own scan then is Carry[first column settled at D], or D itself when
//    no column settled at D.
class TieSettler {
 public:
  TieSettler() { carry_.fill(NoDistance); }

  std::uint32_t Settle(std::uint32_t distance) {
    const int first = FirstColumnAt(distance);
    const std::uint32_t settled = first < 0 ? distance : carry_[first];
    // Appending a column raises every carried value that reaches it; the
    // columns not appended yet carry nothing.
    const std::span<std::uint32_t> appended(carry_.data(), static_cast<std::size_t>(count_));
    for (std::uint32_t& value : appended) value += value == settled ? 1u : 0u;
    carry_[count_] = settled + 1;
    Remember(settled, count_);
    ++count_;
    return settled;
  }

 private:
  int FirstColumnAt(std::uint32_t value) const {
    for (std::size_t slot = HashSlotOf(value);; slot = (slot + 1) % HashSlots) {
      if (!used_[slot]) return -1;
      if (keys_[slot] == value) return columns_[slot];
    }
  }
  void Remember(std::uint32_t value, int column) {
    std::size_t slot = HashSlotOf(value);
    while (used_[slot]) {
      if (keys_[slot] == value) return;  // keeps the first column
      slot = (slot + 1) % HashSlots;
    }
    used_[slot] = true;
    keys_[slot] = value;
    columns_[slot] = static_cast<std::uint8_t>(column);
  }

  std::array<std::uint32_t, 256> carry_;
  int count_ = 0;
  std::array<bool, HashSlots> used_{};
  std::array<std::uint32_t, HashSlots> keys_{};
  std::array<std::uint8_t, HashSlots> columns_{};
};

// Sorts keys of a candidate's distance (below PairSortLimit, so 20 bits)
// above its column (8 bits): three stable passes of seven bits over the
// distance, since the keys come in column order already. A comparison sort
// of 255 keys per row took most of the table's time.
void SortKeys(std::span<std::uint32_t> keys) {
  static_assert(PairSortLimit <= (1u << 21));
  constexpr int DigitBits = 7;
  constexpr std::uint32_t Digits = 1u << DigitBits;
  std::array<std::uint32_t, 256> spare;
  std::span<std::uint32_t> from = keys, to(spare.data(), keys.size());
  for (int shift = 8; shift < 8 + 3 * DigitBits; shift += DigitBits) {
    std::array<std::uint32_t, Digits> start{};
    for (const std::uint32_t key : from) ++start[(key >> shift) & (Digits - 1)];
    std::uint32_t next = 0;
    for (std::uint32_t& count : start) next += std::exchange(count, next);
    for (const std::uint32_t key : from) to[start[(key >> shift) & (Digits - 1)]++] = key;
    std::swap(from, to);
  }
  // An odd number of passes leaves the result in the spare array.
  std::copy(from.begin(), from.end(), keys.begin());
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
  // Candidates by distance, then column; distances stay below 2^23.
  std::array<std::uint32_t, 256> keys;
  std::size_t candidates = 0;
  for (std::uint32_t column = 0; column < 256; ++column) {
    columnOf[column] = standing[column] = static_cast<std::uint8_t>(column);
    if (column >= 1 && distance[column] < PairSortLimit)
      keys[candidates++] = distance[column] << 8 | column;
  }
  SortKeys(std::span(keys.data(), candidates));
  std::array<std::uint8_t, 256> order;
  for (std::size_t i = 0; i < candidates; ++i) order[i] = static_cast<std::uint8_t>(keys[i]);
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

bool HasEqualValues(const DistanceRow& values) {
  std::array<std::uint32_t, HashSlots> keys;
  keys.fill(NoDistance);
  for (const std::uint32_t value : values) {
    std::size_t slot = HashSlotOf(value);
    while (keys[slot] != NoDistance) {
      if (keys[slot] == value) return true;
      slot = (slot + 1) % HashSlots;
    }
    keys[slot] = value;
  }
  return false;
}

}  // namespace

PairTable::PairTable(const Palette& palette)
    : entries_(std::make_unique_for_overwrite<std::uint8_t[]>(256 * 256)),
      columns_(std::make_unique_for_overwrite<std::uint8_t[]>(256 * 256)) {
  for (int centre = 0; centre < 256; ++centre) BuildRow(palette, centre);
}

void PairTable::BuildRow(const Palette& palette, int centre) {
  DistanceRow distance;
  std::array<std::uint8_t, 256> index;
  for (int j = 0; j < 256; ++j) {
    distance[j] = ColourDistance(palette[centre], palette[j]);
    index[j] = static_cast<std::uint8_t>(j);
  }
  // Without two equal distances no column is ever raised: a raise needs an
  // earlier column settled at the same value, and settled values stay the
  // distances themselves until a first raise. Most rows of a photograph's
  // palette are like that.
  if (HasEqualValues(distance)) {
    TieSettler ties;
    for (std::uint32_t& value : distance) value = ties.Settle(value);
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

bool DuplicatePass(Palette& palette, RandomSource& random) {
  bool changed = false;
  for (std::uint32_t i = 0; i < 255; ++i) {
    for (std::uint32_t j = i + 1; j < 256; ++j) {
      if (!SameColour(palette[i], palette[j])) continue;
      random.SeedFromClock();
      PaletteEntry& entry = palette[j];
      entry.red = MoveChannel(entry.red, j % 5 + random.Below(3));
      entry.green = MoveChannel(entry.green, j % 5 + random.Below(3));
      entry.blue = MoveChannel(entry.blue, j % 5 + random.Below(3));
      changed = true;  // also when every amount was 0: the pair is met again
    }
  }
  return changed;
}

}  // namespace

int MakePaletteDistinct(Palette& palette, RandomSource& random) {
  int passes = 1;
  while (DuplicatePass(palette, random)) ++passes;
  return passes;
}

}  // namespace hushlake
