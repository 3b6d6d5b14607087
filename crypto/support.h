#pragma once
// Small routines shared by the cipher base, the hash base and the algorithms.
#include <array>
#include <bit>
#include <cstdint>
#include <functional>

namespace hushlake {

// The common input of every reference digest and reference output.
inline constexpr std::array<std::uint8_t, 32> TestInput = {
    0x30, 0x44, 0xED, 0x6E, 0x45, 0xA4, 0x96, 0xF5, 0xF6, 0x35, 0xA2, 0xEB, 0x3D, 0x1A, 0x5D, 0xD6,
    0xCB, 0x1D, 0x09, 0x82, 0x2D, 0xBD, 0xF5, 0x60, 0xC2, 0xB8, 0x58, 0xA1, 0x91, 0xF9, 0x81, 0xB1};

namespace detail {
constexpr std::array<std::uint32_t, 256> MakeReflectedCrcTable(std::uint32_t polynomial) {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t value = i;
    for (int bit = 0; bit < 8; ++bit) value = (value & 1) ? (value >> 1) ^ polynomial : value >> 1;
    table[i] = value;
  }
  return table;
}
}  // namespace detail

inline constexpr std::array<std::uint32_t, 256> Crc32Table =
    detail::MakeReflectedCrcTable(0xEDB88320u);
inline constexpr std::array<std::uint32_t, 256> Crc16Table = detail::MakeReflectedCrcTable(0xA001u);

// Dest[i] := A[i] xor B[i]; Dest may be A or B.
void XorBuffers(const void* a, const void* b, int count, void* dest);

// Overwrites Buffer with a sequence driven by Seed and the old contents;
// returns the final seed.
std::uint32_t ScrambleWithSeed(std::uint32_t seed, void* buffer, int size);

// The clock sources behind TimeSeed; handed in, so tests get fixed values
// without touching what the rest of the process reads.
struct SeedClock {
  std::function<std::uint32_t()> millisecondsSinceMidnightUtc;
  std::function<std::uint64_t()> performanceCounter;
};
SeedClock SystemSeedClock();

// Milliseconds since midnight (UTC) xor both halves of the performance counter,
// from Clock or, without one, from the system's.
std::uint32_t TimeSeed(const SeedClock& clock);
std::uint32_t TimeSeed();

// Table CRCs without initial or final inversion (the caller supplies them).
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, int size);
// Works on the low 16 bits; the high 16 bits pass through unchanged.
std::uint32_t Crc16Update(std::uint32_t crc, const void* data, int size);

constexpr std::uint32_t ByteSwap32(std::uint32_t value) {
  return (value >> 24) | ((value >> 8) & 0xFF00u) | ((value << 8) & 0xFF0000u) | (value << 24);
}
// Dest[i] := ByteSwap32(Source[i]); Dest may be Source.
void ByteSwap32Array(const std::uint32_t* source, std::uint32_t* dest, int count);

constexpr std::uint32_t ReverseBits32(std::uint32_t value) {
  value = ((value >> 1) & 0x55555555u) | ((value & 0x55555555u) << 1);
  value = ((value >> 2) & 0x33333333u) | ((value & 0x33333333u) << 2);
  value = ((value >> 4) & 0x0F0F0F0Fu) | ((value & 0x0F0F0F0Fu) << 4);
  return ByteSwap32(value);
}

constexpr std::uint32_t RotateLeft32(std::uint32_t value, int shift) {
  return std::rotl(value, shift & 31);
}
constexpr std::uint32_t RotateRight32(std::uint32_t value, int shift) {
  return std::rotr(value, shift & 31);
}
constexpr std::uint32_t RotateLeftAdd(std::uint32_t value, std::uint32_t addend, int shift) {
  return RotateLeft32(value, shift) + addend;
}

// 0 when equal, else the difference of the first differing bytes (unsigned).
int CompareBytes(const void* p1, const void* p2, int size);

// 3, 4 or the processor family; only ever selected between equal-result
// variants of a routine, so the portable code ignores it.
int CpuClass();

}  // namespace hushlake
