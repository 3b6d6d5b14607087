#include "stego/analysis/colour_plane.h"

namespace hushlake::analysis {

ColourPlane::ColourPlane(const PixelView& view, int channel)
    : view_(&view), width_(view.Width()), height_(view.Height()) {
  if (view.Format() == PixelFormat::Indexed8) {
    offset_ = 0;
    step_ = 1;
    direct_ = false;
    for (int index = 0; index < 256; ++index) {
      const PaletteEntry& entry = view.GetPalette()[static_cast<std::size_t>(index)];
      lookup_[static_cast<std::size_t>(index)] = channel == 0   ? entry.blue
                                                 : channel == 1 ? entry.green
                                                                : entry.red;
    }
    return;
  }
  offset_ = channel;
  step_ = view.Format() == PixelFormat::Bgrx32 ? 4 : 3;
  for (int value = 0; value < 256; ++value)
    lookup_[static_cast<std::size_t>(value)] = static_cast<std::uint8_t>(value);
}

std::vector<ColourPlane> ColourPlanesOf(const PixelView& view) {
  std::vector<ColourPlane> planes;
  for (int channel = 0; channel < 3; ++channel) planes.emplace_back(view, channel);
  return planes;
}

}  // namespace hushlake::analysis
