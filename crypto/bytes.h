#pragma once
// Loading and storing multi-byte words with an explicit byte order. The
// algorithms state their byte order; these keep that visible at each use.
#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "Digest areas are kept as native words and read as little-endian bytes");

namespace hushlake {

using Byte = std::uint8_t;

inline std::uint32_t LoadLE32(const void* p) {
  std::uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}
inline void StoreLE32(void* p, std::uint32_t v) { std::memcpy(p, &v, 4); }
inline std::uint64_t LoadLE64(const void* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return v;
}
inline void StoreLE64(void* p, std::uint64_t v) { std::memcpy(p, &v, 8); }
inline std::uint32_t LoadBE32(const void* p) { return __builtin_bswap32(LoadLE32(p)); }
inline void StoreBE32(void* p, std::uint32_t v) { StoreLE32(p, __builtin_bswap32(v)); }
inline std::uint16_t LoadLE16(const void* p) {
  std::uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void StoreLE16(void* p, std::uint16_t v) { std::memcpy(p, &v, 2); }
inline std::uint16_t LoadBE16(const void* p) { return __builtin_bswap16(LoadLE16(p)); }
inline void StoreBE16(void* p, std::uint16_t v) { StoreLE16(p, __builtin_bswap16(v)); }

}  // namespace hushlake
