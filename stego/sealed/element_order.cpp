#include "stego/sealed/element_order.h"

#include <array>
#include <numeric>
#include <stdexcept>
#include <utility>

#include "crypto/sealed/sodium_box.h"

namespace hushlake::sealed {
namespace {

std::vector<std::uint32_t> Shuffled(KeyStream& stream, std::uint32_t count) {
  std::vector<std::uint32_t> values(count);
  std::iota(values.begin(), values.end(), 0u);
  for (std::uint32_t i = count; i-- > 1;) std::swap(values[i], values[stream.Below(i + 1)]);
  return values;
}

}  // namespace

ElementOrder::ElementOrder(const SecretBytes& key, std::uint32_t rows, std::uint32_t rowElements)
    : rows_(rows), rowElements_(rowElements) {
  if (rows == 0 || rowElements == 0) throw std::invalid_argument("element order: no elements");
  const std::array<std::uint8_t, kNonceBytes> nonce{};
  KeyStream stream(key, nonce);
  rowOf_ = Shuffled(stream, rows);
  colOf_ = Shuffled(stream, rowElements);
  shift_.resize(rows);
  for (auto& shift : shift_) shift = stream.Below(rowElements);
}

}  // namespace hushlake::sealed
