#pragma once
// One colour channel of a picture seen as a plane of 8-bit samples, without
// copying it: the detectors read every sample through this. A palette
// picture's channel is its pixels' colours looked up in the palette.
#include <array>
#include <cstdint>
#include <vector>

#include "stego/pixel_view.h"

namespace hushlake::analysis {

class ColourPlane {
 public:
  // Channel 0, 1 or 2: blue, green, red.
  ColourPlane(const PixelView& view, int channel);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The sample at column x of a row that Row returned.
  std::uint8_t At(const std::uint8_t* row, int x) const {
    return lookup_[row[static_cast<std::size_t>(x) * step_]];
  }
  // The first byte of row y's samples (pass it to At).
  const std::uint8_t* Row(int y) const { return view_->Row(y) + offset_; }
  // Bytes from one sample to the next in a row.
  std::size_t Step() const { return step_; }
  // Whether the samples are the bytes themselves (no palette in between).
  bool Direct() const { return direct_; }
  const std::array<std::uint8_t, 256>& Lookup() const { return lookup_; }

 private:
  const PixelView* view_;
  int width_;
  int height_;
  int offset_;
  std::size_t step_;
  bool direct_ = true;
  std::array<std::uint8_t, 256> lookup_{};
};

// Sample readers for the detectors' inner loops: At's work with the step
// known when compiling and no table in between for 24- and 32-bit pixels.
template <std::size_t Step>
struct DirectSamples {
  std::uint8_t operator()(const std::uint8_t* row, int x) const {
    return row[static_cast<std::size_t>(x) * Step];
  }
};
struct PaletteSamples {
  const std::array<std::uint8_t, 256>* lookup;
  std::uint8_t operator()(const std::uint8_t* row, int x) const { return (*lookup)[row[x]]; }
};

// Calls Body with the fastest reader of the plane's samples (a reader is
// called as reader(plane.Row(y), x)) and returns what it returns.
template <typename Body>
decltype(auto) WithSamples(const ColourPlane& plane, Body&& body) {
  if (!plane.Direct()) return body(PaletteSamples{&plane.Lookup()});
  if (plane.Step() == 4) return body(DirectSamples<4>{});
  return body(DirectSamples<3>{});
}

// Blue, green and red of the picture (the fourth byte of a 32-bit pixel is
// not a colour and is left out). The view must outlive the planes.
std::vector<ColourPlane> ColourPlanesOf(const PixelView& view);

}  // namespace hushlake::analysis
