#pragma once
// Writing a 128-bit block held as four 32-bit words with one 16-byte store.
// The mode code copies whole blocks right after EncryptBlock; a 16-byte copy
// that has to gather four separate 4-byte stores stalls until they reach the
// cache, which costs a tenth of a fast cipher's time in the chained modes.
#include <cstdint>
#include <cstring>

namespace hushlake::detail {

using FourWords = std::uint32_t __attribute__((vector_size(16)));

// Word 0 goes to bytes 0-3, little-endian, as StoreLE32 would put it.
inline void StoreFourLE32(void* block, std::uint32_t w0, std::uint32_t w1, std::uint32_t w2,
                          std::uint32_t w3) {
  const FourWords words = {w0, w1, w2, w3};
  std::memcpy(block, &words, sizeof words);
}

}  // namespace hushlake::detail
