#pragma once
// The block buffering every block hash of the system shares: pending bytes
// wait in the block buffer, whole blocks are compressed straight from the
// caller's data, and the byte counter wraps modulo 2^32.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace hushlake {

// Compress(const std::uint8_t* block) is called once per completed block.
// Bytes of the buffer past the remainder keep their old contents; the
// Square hash reads them.
template <std::size_t L, class CompressBlock>
void BufferedUpdate(std::uint32_t& byteCount, std::array<std::uint8_t, L>& buffer, const void* data,
                    int size, CompressBlock&& compress) {
  if (data == nullptr || size <= 0) return;
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  auto remaining = static_cast<std::size_t>(size);
  const std::size_t pending = byteCount % L;
  byteCount += static_cast<std::uint32_t>(size);
  if (pending > 0) {
    if (remaining < L - pending) {
      std::copy_n(bytes, remaining, buffer.data() + pending);
      return;
    }
    std::copy_n(bytes, L - pending, buffer.data() + pending);
    compress(static_cast<const std::uint8_t*>(buffer.data()));
    bytes += L - pending;
    remaining -= L - pending;
  }
  for (; remaining >= L; remaining -= L, bytes += L) compress(bytes);
  std::copy_n(bytes, remaining, buffer.data());
}

// The length field of the final block: the message length in bits modulo
// 2^32, read as a signed 32-bit number and sign-extended to 64 bits.
inline std::uint64_t SignExtendedBitLength(std::uint32_t byteCount) {
  const auto bits = static_cast<std::int32_t>(byteCount * 8u);
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(bits));
}

}  // namespace hushlake
