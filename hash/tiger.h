#pragma once
// Tiger's table and compression function, apart from the class so that the
// same round code can also be run with the published key schedule.
#include <cstdint>

namespace hushlake {

// t1 .. t4 of the published Tiger; TigerSBoxes[0][0] = 0x02AAB17CF7E90C5E.
extern const std::uint64_t TigerSBoxes[4][256];

// How the key schedule shifts the complement of a word right by 23 bits.
// This system's Tiger shifts arithmetically (the top bit fills the vacated
// bits); the published Tiger shifts logically.
enum class TigerShift { Arithmetic, Logical };

// Compresses one 64-byte block into the three 64-bit words at State, with
// Passes passes (3 or more).
template <TigerShift Shift>
void TigerCompress(std::uint64_t (&state)[3], const std::uint8_t* block, int passes);

extern template void TigerCompress<TigerShift::Arithmetic>(std::uint64_t (&)[3],
                                                           const std::uint8_t*, int);
extern template void TigerCompress<TigerShift::Logical>(std::uint64_t (&)[3], const std::uint8_t*,
                                                        int);

}  // namespace hushlake
