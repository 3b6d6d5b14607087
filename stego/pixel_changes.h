#pragma once
// What an Encrypt does to a picture, worked out before any pixel is touched,
// so the changes can be made to a whole picture in memory or band by band to
// rows on their way from a source file to the new one, with the same result
// either way: no picture-sized buffer is needed to encrypt a file.
#include <cstdint>
#include <span>
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
// row with a counting sort: one walk of the order counts each row's items,
// a second one stores them, so no list of positions is ever sorted or kept.
// The items are the hidden text's symbols: wiped when freed.
template <class Item>
class RowPlacements {
 public:
  // Make(position) gives the next item, for positions in the order's order.
  template <class Make>
  RowPlacements(const PositionOrder& order, int height, std::size_t count, Make make)
      : rowStart_(static_cast<std::size_t>(height) + 1, 0), items_(count) {
    PositionOrder::Cursor cursor = order.Begin();
    for (std::size_t i = 0; i < count; ++i, ++cursor)
      ++rowStart_[static_cast<std::size_t>((*cursor).row) + 1];
    for (std::size_t y = 1; y < rowStart_.size(); ++y) rowStart_[y] += rowStart_[y - 1];
    std::vector<std::uint32_t> next(rowStart_.begin(), rowStart_.end() - 1);
    cursor = order.Begin();
    for (std::size_t i = 0; i < count; ++i, ++cursor) {
      const PixelPosition position = *cursor;
      items_[next[static_cast<std::size_t>(position.row)]++] = make(position);
    }
  }

  std::span<const Item> OfRow(int y) const {
    const auto row = static_cast<std::size_t>(y);
    return std::span<const Item>(items_).subspan(rowStart_[row],
                                                 rowStart_[row + 1] - rowStart_[row]);
  }
  int Height() const { return static_cast<int>(rowStart_.size()) - 1; }

 private:
  std::vector<std::uint32_t> rowStart_;  // items of row y: [rowStart_[y], rowStart_[y + 1])
  std::vector<Item, WipingAllocator<Item>> items_;
};

// Raises std::logic_error unless the band lies inside a picture of Height rows.
void CheckBandInside(const RowBand& band, int height);
// Count, or std::logic_error when the order has fewer positions.
std::size_t CheckedSymbolCount(const PositionOrder& order, std::size_t count);

}  // namespace hushlake
