#pragma once
// The initial P-array and S-boxes of Blowfish: the hexadecimal digits of pi.
#include <array>
#include <cstdint>

namespace hushlake::detail {

extern const std::array<std::uint32_t, 18> BlowfishInitialP;
extern const std::array<std::array<std::uint32_t, 256>, 4> BlowfishInitialS;

}  // namespace hushlake::detail
