#pragma once
// HAVAL constants (Zheng, Pieprzyk, Seberry, AUSCRYPT'92; reference code HAVAL V.1).
// The initial value and the round constants are the first 136 words of the
// fraction of pi; the word orders and the input permutations are those of the
// reference code. Only haval.cpp includes this file.
#include <array>
#include <cstdint>

namespace hushlake::haval_tables {

// The tables keep their published layout.
// clang-format off

inline constexpr std::array<std::uint32_t, 8> InitialValue = {
    0x243F6A88U, 0x85A308D3U, 0x13198A2EU, 0x03707344U, 0xA4093822U, 0x299F31D0U, 0x082EFA98U, 0xEC4E6C89U};

// Order[p][j]: the message word that step j of pass p + 1 adds.
inline constexpr std::array<std::array<int, 32>, 5> Order = {{
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31},
    {5, 14, 26, 18, 11, 28, 7, 16, 0, 23, 20, 22, 1, 10, 4, 8, 30, 3, 21, 9, 17, 24, 29, 6, 19, 12, 15, 13, 2, 25, 31, 27},
    {19, 9, 4, 20, 28, 17, 8, 22, 29, 14, 25, 12, 24, 30, 16, 26, 31, 15, 7, 3, 1, 0, 18, 27, 13, 6, 21, 10, 23, 11, 5, 2},
    {24, 4, 0, 14, 2, 7, 28, 23, 26, 6, 30, 20, 18, 25, 19, 3, 22, 11, 31, 21, 8, 27, 12, 9, 1, 29, 5, 15, 17, 10, 16, 13},
    {27, 3, 21, 26, 17, 11, 20, 29, 19, 0, 12, 7, 13, 8, 31, 10, 5, 9, 14, 30, 18, 6, 28, 24, 2, 23, 16, 22, 4, 1, 25, 15},
}};

// Constant[p][j]: the constant that step j of pass p + 1 adds (pass 1 adds none).
inline constexpr std::array<std::array<std::uint32_t, 32>, 5> Constant = {{
    {},
    {
        0x452821E6U, 0x38D01377U, 0xBE5466CFU, 0x34E90C6CU,
        0xC0AC29B7U, 0xC97C50DDU, 0x3F84D5B5U, 0xB5470917U,
        0x9216D5D9U, 0x8979FB1BU, 0xD1310BA6U, 0x98DFB5ACU,
        0x2FFD72DBU, 0xD01ADFB7U, 0xB8E1AFEDU, 0x6A267E96U,
        0xBA7C9045U, 0xF12C7F99U, 0x24A19947U, 0xB3916CF7U,
        0x0801F2E2U, 0x858EFC16U, 0x636920D8U, 0x71574E69U,
        0xA458FEA3U, 0xF4933D7EU, 0x0D95748FU, 0x728EB658U,
        0x718BCD58U, 0x82154AEEU, 0x7B54A41DU, 0xC25A59B5U,
    },
    {
        0x9C30D539U, 0x2AF26013U, 0xC5D1B023U, 0x286085F0U,
        0xCA417918U, 0xB8DB38EFU, 0x8E79DCB0U, 0x603A180EU,
        0x6C9E0E8BU, 0xB01E8A3EU, 0xD71577C1U, 0xBD314B27U,
        0x78AF2FDAU, 0x55605C60U, 0xE65525F3U, 0xAA55AB94U,
        0x57489862U, 0x63E81440U, 0x55CA396AU, 0x2AAB10B6U,
        0xB4CC5C34U, 0x1141E8CEU, 0xA15486AFU, 0x7C72E993U,
        0xB3EE1411U, 0x636FBC2AU, 0x2BA9C55DU, 0x741831F6U,
        0xCE5C3E16U, 0x9B87931EU, 0xAFD6BA33U, 0x6C24CF5CU,
    },
    {
        0x7A325381U, 0x28958677U, 0x3B8F4898U, 0x6B4BB9AFU,
        0xC4BFE81BU, 0x66282193U, 0x61D809CCU, 0xFB21A991U,
        0x487CAC60U, 0x5DEC8032U, 0xEF845D5DU, 0xE98575B1U,
        0xDC262302U, 0xEB651B88U, 0x23893E81U, 0xD396ACC5U,
        0x0F6D6FF3U, 0x83F44239U, 0x2E0B4482U, 0xA4842004U,
        0x69C8F04AU, 0x9E1F9B5EU, 0x21C66842U, 0xF6E96C9AU,
        0x670C9C61U, 0xABD388F0U, 0x6A51A0D2U, 0xD8542F68U,
        0x960FA728U, 0xAB5133A3U, 0x6EEF0B6CU, 0x137A3BE4U,
    },
    {
        0xBA3BF050U, 0x7EFB2A98U, 0xA1F1651DU, 0x39AF0176U,
        0x66CA593EU, 0x82430E88U, 0x8CEE8619U, 0x456F9FB4U,
        0x7D84A5C3U, 0x3B8B5EBEU, 0xE06F75D8U, 0x85C12073U,
        0x401A449FU, 0x56C16AA6U, 0x4ED3AA62U, 0x363F7706U,
        0x1BFEDF72U, 0x429B023DU, 0x37D0D724U, 0xD00A1248U,
        0xDB0FEAD3U, 0x49F1C09BU, 0x075372C9U, 0x80991B7BU,
        0x25D479D8U, 0xF6E8DEF7U, 0xE3FE501AU, 0xB6794C3BU,
        0x976CE0BDU, 0x04C006BAU, 0xC1A94FB6U, 0x409F60C4U,
    },
}};

// Phi[n - 3][p]: the registers (a6 .. a0) that the Boolean function of pass p + 1
// takes as its arguments (x6 .. x0) in a hash of n passes.
inline constexpr std::array<std::array<std::array<int, 7>, 5>, 3> Phi = {{
    {{
        {1, 0, 3, 5, 6, 2, 4},
        {4, 2, 1, 0, 5, 3, 6},
        {6, 1, 2, 3, 4, 5, 0},
    }},
    {{
        {2, 6, 1, 4, 5, 3, 0},
        {3, 5, 2, 0, 1, 6, 4},
        {1, 4, 3, 6, 0, 2, 5},
        {6, 4, 0, 5, 2, 1, 3},
    }},
    {{
        {3, 4, 1, 0, 5, 2, 6},
        {6, 2, 1, 0, 3, 4, 5},
        {2, 6, 0, 4, 3, 1, 5},
        {1, 5, 3, 2, 0, 4, 6},
        {2, 5, 0, 6, 4, 3, 1},
    }},
}};

// clang-format on
}  // namespace hushlake::haval_tables
