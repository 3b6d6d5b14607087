#pragma once
// The key-schedule S-boxes S5..S8 of CAST-128.
#include <array>
#include <cstdint>

namespace hushlake::detail {

extern const std::array<std::array<std::uint32_t, 256>, 4> Cast128KeySBoxes;

}  // namespace hushlake::detail
