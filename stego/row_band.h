#pragma once
// Some consecutive rows of a picture, wherever they are held: a whole
// picture in memory, or a band of a file's rows on their way from the source
// file to the new one. Rows count from the top; a band read from a bottom-up
// file runs backwards through its buffer.
#include <cstdint>
#include <functional>

namespace hushlake {

struct RowBand {
  int firstRow = 0;
  int rowCount = 0;
  std::uint8_t* firstRowBytes = nullptr;  // where row firstRow starts
  std::int64_t stride = 0;                // from a row to the one below it

  std::uint8_t* Row(int y) const { return firstRowBytes + (y - firstRow) * stride; }
  int EndRow() const { return firstRow + rowCount; }
};

// Changes the rows of a band in place.
using RowBandChange = std::function<void(const RowBand&)>;

}  // namespace hushlake
