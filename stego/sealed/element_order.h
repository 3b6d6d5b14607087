#pragma once
// The order in which sealed pictures visit the colour bytes, drawn from a
// key. The colour bytes form `rows` rows of `rowElements` each (three per
// pixel: blue, green, red; a fourth byte is never a colour byte). From the
// XChaCha20 stream of the key with an all-zero nonce, in this order:
//   rowOf:  a Fisher-Yates shuffle of 0..rows-1 (for i = rows-1 down to 1,
//           swap i with Below(i + 1)),
//   colOf:  the same over 0..rowElements-1,
//   shift:  rows draws of Below(rowElements).
// Element k of the order is row rowOf[t], colour byte colOf[(j + shift[t]) mod
// rowElements] of that row, with t = k mod rows and j = k div rows. So
// neighbours in the order lie in different rows at unrelated columns, and the
// order needs three small tables instead of one entry per byte.
#include <cstdint>
#include <vector>

#include "crypto/secret.h"

namespace hushlake::sealed {

class ElementOrder {
 public:
  ElementOrder(const SecretBytes& key, std::uint32_t rows, std::uint32_t rowElements);

  std::uint64_t Size() const { return static_cast<std::uint64_t>(rows_) * rowElements_; }
  // Element k as row * rowElements + column.
  std::uint64_t At(std::uint64_t k) const {
    const std::uint32_t t = static_cast<std::uint32_t>(k % rows_);
    const std::uint64_t j = k / rows_;
    const std::uint64_t column = (j + shift_[t]) % rowElements_;
    return static_cast<std::uint64_t>(rowOf_[t]) * rowElements_ + colOf_[column];
  }

 private:
  std::uint32_t rows_;
  std::uint32_t rowElements_;
  std::vector<std::uint32_t> rowOf_;
  std::vector<std::uint32_t> colOf_;
  std::vector<std::uint32_t> shift_;
};

}  // namespace hushlake::sealed
