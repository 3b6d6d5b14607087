#pragma once
// The one way our UTF-8 strings become Qt's strings.
#include <QString>
#include <string_view>

namespace hushlake {

inline QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace hushlake
