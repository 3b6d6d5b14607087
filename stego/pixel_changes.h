#pragma once
// What an Encrypt does to a picture, worked out before any pixel is touched,
// so the changes can be made to a whole picture in memory or band by band to
// rows on their way from a source file to the new one, with the same result
// either way: no picture-sized buffer is needed to encrypt a file.
#include <cstdint>
#include <vector>

#include "crypto/secret.h"
#include "stego/picture.h"
#include "stego/position_order.h"
#include "stego/row_band.h"

namespace hushlake {

class PixelChanges {
 public:
  virtual ~PixelChanges() = default;
  // Makes the changes of the band's rows, which must lie inside the picture.
  // Every row changed exactly once, in any order, gives Encrypt's pixels.
  virtual void Apply(const RowBand& band) const = 0;
  // The palette Encrypt's picture gets, or null when the palette stays.
  virtual const Palette* NewPalette() const { return nullptr; }
};

// Items that go to the first positions of an order, one each, grouped by
// rows with a counting sort: one walk of the order counts each group's
// items, a second one stores them, so no list of positions is ever sorted or
// kept. Groups of rows rather than rows keep the stores few places apart in
// memory. Each item tells its row (Item::Row()). The items are the hidden
// text's symbols: wiped when freed.
template <class Item>
class RowPlacements {
 public:
  // Make(position) gives the next item, for positions in the order's order.
  template <class Make>
  RowPlacements(const PositionOrder& order, int height, std::size_t count, Make make)
      : height_(height),
        groupStart_(static_cast<std::size_t>(GroupOf(height)) + 2, 0),
        items_(count) {
    PositionOrder::Cursor cursor = order.Begin();
    for (std::size_t i = 0; i < count; ++i, ++cursor) ++groupStart_[GroupOf((*cursor).row) + 1];
    for (std::size_t g = 1; g < groupStart_.size(); ++g) groupStart_[g] += groupStart_[g - 1];
    std::vector<std::uint32_t> next(groupStart_.begin(), groupStart_.end() - 1);
    cursor = order.Begin();
    for (std::size_t i = 0; i < count; ++i, ++cursor) {
      const PixelPosition position = *cursor;
      items_[next[GroupOf(position.row)]++] = make(position);
    }
  }

  // Calls Visit(item) for every item of rows First .. End - 1; only their
  // groups are looked through.
  template <class Visit>
  void ForEachInRows(int first, int end, Visit visit) const {
    if (first >= end) return;
    const std::uint32_t from = groupStart_[GroupOf(first)];
    const std::uint32_t to = groupStart_[GroupOf(end - 1) + 1];
    for (std::uint32_t i = from; i < to; ++i) {
      const int row = items_[i].Row();
      if (row >= first && row < end) visit(items_[i]);
    }
  }
  int Height() const { return height_; }

 private:
  static constexpr std::int64_t RowsPerGroup = 64;
  static std::size_t GroupOf(std::int64_t row) {
    return static_cast<std::size_t>(row / RowsPerGroup);
  }

  int height_;
  std::vector<std::uint32_t> groupStart_;  // items of group g: [groupStart_[g], groupStart_[g + 1])
  std::vector<Item, WipingAllocator<Item>> items_;
};

// Raises std::logic_error unless the band lies inside a picture of Height rows.
void CheckBandInside(const RowBand& band, int height);
// Count, or std::logic_error when the order has fewer positions.
std::size_t CheckedSymbolCount(const PositionOrder& order, std::size_t count);

}  // namespace hushlake
