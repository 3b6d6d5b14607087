#pragma once
// How parameterised cases show in a test list: short names made only of
// letters, digits and underscores, and a readable line for each parameter
// instead of its bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

#include "stego/picture.h"

namespace hushlake::test {

inline std::string_view FormatName(PixelFormat format) {
  switch (format) {
    case PixelFormat::Indexed8:
      return "Indexed8";
    case PixelFormat::Bgr24:
      return "Bgr24";
    case PixelFormat::Bgrx32:
      return "Bgrx32";
  }
  return "UnknownFormat";
}

// A pixel format as a test parameter, shown by name in lists and failures. A
// printer for the bare enum would have to be seen by every file that prints
// one, or the program could end up with either printer.
struct FormatParam {
  FormatParam(PixelFormat value) : format(value) {}  // converts as freely as the enum
  operator PixelFormat() const { return format; }
  PixelFormat format;
};

inline void PrintTo(const FormatParam& param, std::ostream* out) {
  *out << FormatName(param.format);
}

// Text cut down to what a test name may hold: every run of other characters
// becomes one underscore, and nothing is left empty.
inline std::string NameSafe(std::string_view text) {
  std::string name;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0)
      name += c;
    else if (!name.empty() && name.back() != '_')
      name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "none" : name;
}

// A character code as a name: "Code97_a" for a letter or digit, "Code10" otherwise.
inline std::string CharacterName(unsigned code) {
  std::string name = "Code";
  name += std::to_string(code);
  if (code < 128 && std::isalnum(static_cast<int>(code)) != 0) {
    name += '_';
    name += static_cast<char>(code);
  }
  return name;
}

// A short text as a name: letters and digits kept, spaces as underscores,
// line breaks as "Lf" and "Cr", other bytes by their code ("x2C"), each of
// those set off by underscores.
inline std::string TextName(std::string_view text) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string name;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 128 && std::isalnum(byte) != 0) {
      name += c;
      continue;
    }
    if (!name.empty() && name.back() != '_') name += '_';
    if (c == ' ') continue;
    if (c == '\n')
      name += "Lf";
    else if (c == '\r')
      name += "Cr";
    else
      name += std::string{'x', Digits[byte >> 4], Digits[byte & 15]};
    name += '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "Empty" : name;
}

// Names each case after what PrintTo shows of it, cut down to a safe name.
struct ByPrintedParam {
  template <class Info>
  std::string operator()(const Info& info) const {
    return NameSafe(::testing::PrintToString(info.param));
  }
};

// Names each case after its pixel format.
inline std::string ByFormat(const ::testing::TestParamInfo<FormatParam>& info) {
  return std::string(FormatName(info.param.format));
}

}  // namespace hushlake::test
