#include "stego/position_order.h"

#include <stdexcept>

namespace hushlake {

namespace {

constexpr std::array<std::uint32_t, StepTableSize> MakeStepTable() {
  std::array<std::uint32_t, StepTableSize> table{};
  std::size_t next = 0;
  for (std::uint32_t candidate = 2; candidate < 1000; ++candidate) {
    bool prime = true;
    for (std::uint32_t divisor = 2; divisor * divisor <= candidate; ++divisor)
      if (candidate % divisor == 0) prime = false;
    if (prime) table[next++] = candidate;
  }
  constexpr std::uint32_t tail[10] = {7, 11, 29, 31, 17, 3, 5, 19, 23, 13};
  for (int round = 0; round < 3; ++round)
    for (std::uint32_t value : tail) table[next++] = value;
  return table;
}

// Deliberately written as a different loop from the search above: a table
// that silently came out short would shift every stored position.
static_assert(MakeStepTable()[167] == 997 && MakeStepTable()[168] == 7 &&
              MakeStepTable()[StepTableSize - 1] == 13);

}  // namespace

const std::array<std::uint32_t, StepTableSize> StepTable = MakeStepTable();

std::uint32_t KeySum(std::string_view key) {
  std::uint32_t sum = 3;
  if (!key.empty()) key.remove_suffix(1);
  for (char c : key) sum += static_cast<std::uint8_t>(c);
  return sum;
}

// Wider pictures than the old 16-bit quotient allowed are searched the same
// way: the remainder does not depend on how wide the quotient may be.
std::uint32_t FindFirstStep(std::int64_t count, std::uint32_t keySum) {
  for (std::size_t i = keySum % 61; i < StepTableSize; ++i)
    if (count % StepTable[i] != 0) return StepTable[i];
  return 3;
}

std::uint32_t FindSecondStep(std::int64_t count) {
  for (std::size_t i = StepTableSize; i-- > 0;)
    if (count % StepTable[i] != 0) return StepTable[i];
  return 3;
}

PositionOrder::PositionOrder(std::int64_t width, std::int64_t height, int columnStep,
                             std::string_view key)
    : width_(width), height_(height), columnStep_(columnStep) {
  if (columnStep <= 0) throw std::invalid_argument("PositionOrder: column step must be positive");
  perRow_ = width > columnStep ? (width - columnStep) / columnStep : 0;
  count_ = height > 0 && perRow_ > 0 ? height * perRow_ - 1 : 0;
  if (count_ <= 0) {
    count_ = 0;
    return;
  }
  firstStep_ = FindFirstStep(count_, KeySum(key));
  secondStep_ = FindSecondStep(count_);
  stride_ = static_cast<std::int64_t>((static_cast<std::uint64_t>(firstStep_) * secondStep_) %
                                      static_cast<std::uint64_t>(count_));
  strideRows_ = stride_ / perRow_;
  strideSlots_ = stride_ % perRow_;
}

std::int64_t PositionOrder::GridIndexOf(std::int64_t k) const {
  __extension__ using Wide = unsigned __int128;  // k * stride < N^2 may pass 2^64
  const Wide product = static_cast<Wide>(k) * static_cast<std::uint64_t>(stride_);
  return static_cast<std::int64_t>(product % static_cast<std::uint64_t>(count_));
}

std::int64_t PositionOrder::PositionAt(std::int64_t k) const {
  const PixelPosition position = At(k);
  return position.row * width_ + position.column;
}

PositionOrder::Cursor::Cursor(const PositionOrder& order, std::int64_t start)
    : order_(&order), index_(order.count_ > 0 ? order.GridIndexOf(start % order.count_) : 0) {
  row_ = order.perRow_ > 0 ? index_ / order.perRow_ : 0;
  slot_ = order.perRow_ > 0 ? index_ % order.perRow_ : 0;
}

}  // namespace hushlake
