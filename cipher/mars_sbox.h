#pragma once
// The 512-word S-box of MARS; S0 is the first half, S1 the second.
#include <array>
#include <cstdint>

namespace hushlake::detail {

extern const std::array<std::uint32_t, 512> MarsSBox;

}  // namespace hushlake::detail
