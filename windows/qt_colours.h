#pragma once
// Stored colour values (0x00BBGGRR) and Qt colours.
#include <QColor>

#include "app/colour_text.h"

namespace hushlake {

inline QColor ToQColor(BgrColour colour) {
  return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

inline BgrColour ToBgrColour(const QColor& colour) {
  return BgrFromRgb(colour.red(), colour.green(), colour.blue());
}

}  // namespace hushlake
