#pragma once
// The order in which pixel positions carry the symbols. It depends only on the
// picture's size, the column step (2 for 24/32-bit, 3 for 8-bit) and the key.
//
// Positions lie on a grid: in every row the columns s, 2s, ..., per*s, rows
// from the top, the very last grid entry left out; N entries in all. The key
// picks two steps from a table, and the order is two strided passes over the
// grid, each a permutation because the step does not divide N. Both passes
// together are one stride (step1 * step2 mod N), so the k-th position is
// computed directly instead of materialising lists of millions of entries.
#include <array>
#include <cstdint>
#include <string_view>

namespace hushlake {

// The 168 primes from 2 to 997, then 7 11 29 31 17 3 5 19 23 13 three times.
inline constexpr std::size_t StepTableSize = 198;
extern const std::array<std::uint32_t, StepTableSize> StepTable;

// 3 + the sum of the character codes of all but the last character.
std::uint32_t KeySum(std::string_view key);
// The first entry at r, r + 1, ..., 197 that does not divide N; 3 if none.
std::uint32_t FindFirstStep(std::int64_t count, std::uint32_t keySum);
// The first entry at 197, 196, ..., 0 that does not divide N; 3 if none.
std::uint32_t FindSecondStep(std::int64_t count);

struct PixelPosition {
  std::int64_t row = 0;
  std::int64_t column = 0;
  bool operator==(const PixelPosition&) const = default;
};

class PositionOrder {
 public:
  PositionOrder(std::int64_t width, std::int64_t height, int columnStep, std::string_view key);

  // N; 0 when the picture is too small to give a position.
  std::int64_t Count() const { return count_; }
  std::uint32_t FirstStep() const { return firstStep_; }
  std::uint32_t SecondStep() const { return secondStep_; }

  // The K-th position (0 <= K < N), as row and column and as row * W + column.
  PixelPosition At(std::int64_t k) const { return GridEntry(GridIndexOf(k)); }
  std::int64_t PositionAt(std::int64_t k) const;

  // Walks the order with additions only: the grid index advances by the
  // stride modulo N, and its row and column slot follow without a division.
  class Cursor {
   public:
    explicit Cursor(const PositionOrder& order, std::int64_t start = 0);
    PixelPosition operator*() const { return {row_, (slot_ + 1) * order_->columnStep_}; }
    Cursor& operator++() {
      const PositionOrder& o = *order_;
      index_ += o.stride_;
      row_ += o.strideRows_;
      slot_ += o.strideSlots_;
      if (slot_ >= o.perRow_) {
        slot_ -= o.perRow_;
        ++row_;
      }
      if (index_ >= o.count_) {  // back by N = H * per - 1: H rows up, one slot on
        index_ -= o.count_;
        row_ -= o.height_;
        if (++slot_ >= o.perRow_) {
          slot_ -= o.perRow_;
          ++row_;
        }
      }
      return *this;
    }

   private:
    const PositionOrder* order_;
    std::int64_t index_;
    std::int64_t row_;
    std::int64_t slot_;
  };
  Cursor Begin(std::int64_t start = 0) const { return Cursor(*this, start); }

 private:
  std::int64_t GridIndexOf(std::int64_t k) const;
  PixelPosition GridEntry(std::int64_t index) const {
    return {index / perRow_, (index % perRow_ + 1) * columnStep_};
  }

  std::int64_t width_;
  std::int64_t height_;
  std::int64_t columnStep_;
  std::int64_t perRow_ = 0;
  std::int64_t count_ = 0;
  std::uint32_t firstStep_ = 3;
  std::uint32_t secondStep_ = 3;
  std::int64_t stride_ = 0;  // FirstStep * SecondStep mod N
  std::int64_t strideRows_ = 0;
  std::int64_t strideSlots_ = 0;
};

}  // namespace hushlake
