#pragma once
// The usage text of the Help window and the headings that are set in bold
// when it is shown (each at its first exact occurrence in the text).
#include <array>
#include <string_view>

namespace hushlake {

std::string_view HelpUsageText();

inline constexpr std::array<std::string_view, 6> HelpHeadings{
    "To Publish to Internet",
    "To Encrypt",
    "To Decrypt",
    "To convert Bitmap to PNG format:",
    "To convert PNG back to Bitmap format:",
    "Note:"};

}  // namespace hushlake
