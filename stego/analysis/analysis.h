#pragma once
// How conspicuous a picture is, by the published detectors. The one entry
// point is AnalyzePicture: a pure function of the picture's pixels (and
// palette) returning a PictureAnalysis, whose Verdict says in plain words
// what a detector would conclude. Every detector reads the pixels in place,
// in time linear in the picture, and keeps at most a few rows and a fixed
// table of its own.
//
//   hushlake::analysis::PictureAnalysis report =
//       hushlake::analysis::AnalyzePicture(picture);
//   if (report.verdict.finding != Finding::Untouched) ... report.verdict.text ...
//
// ComparePictures measures what a change did: a cover against the picture
// made from it.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "stego/analysis/chi_square.h"
#include "stego/analysis/jpeg_history.h"
#include "stego/analysis/low_bit_planes.h"
#include "stego/analysis/palette_tells.h"
#include "stego/picture.h"
#include "stego/pixel_view.h"

namespace hushlake::analysis {

// A channel's estimated rate of replaced low bits (0..1), by each estimator.
struct ReplacedRates {
  double samplePairs = 0.0;  // Sample Pair Analysis
  double rs = 0.0;           // RS analysis
  double weightedStego = 0.0;
};

enum class Finding {
  Untouched,        // nothing a detector here would flag
  TooSmall,         // too few pixels to judge
  WasJpeg,          // a decompressed JPEG: any change to it shows
  LowBitsReplaced,  // the estimators see replaced low bits
  OffsetsDiffer,    // bytes at even and odd row offsets were treated differently
  PalettePairs,     // the palette holds the look-alike pairs palette hiding needs
};

struct Verdict {
  Finding finding = Finding::Untouched;
  std::string text;  // one line in plain words, e.g. "looks untouched"
  // For a picture that looks untouched: how many bytes of hidden text
  // replacing low bits could carry and keep it so, 0 otherwise.
  std::int64_t lowRiskBytes = 0;
};

struct PictureAnalysis {
  int width = 0;
  int height = 0;
  PixelFormat format = PixelFormat::Bgr24;
  // Blue, green, red (a palette picture's colours through its palette).
  std::array<ReplacedRates, 3> channels{};
  // The mean of the three channels.
  ReplacedRates rates{};
  ChiSquareResult chiSquare{};
  LowBitPlanes lowBits{};
  JpegHistory jpeg{};
  PaletteTells palette{};
  Verdict verdict{};
};

PictureAnalysis AnalyzePicture(const PixelView& view);
PictureAnalysis AnalyzePicture(const Picture& picture);

// The verdict on the detectors' findings (AnalyzePicture's last step).
Verdict JudgeAnalysis(const PictureAnalysis& analysis);

// From this mean Weighted Stego rate on the low bits count as replaced. A
// photograph's own estimate stays under it nearly always (on the bench's
// photographs: 95% under 0.05, all under 0.08).
inline constexpr double ReplacedRateAlarm = 0.08;

struct PictureComparison {
  std::int64_t bytes = 0;  // pixel bytes compared (colour bytes of a 32-bit pixel)
  std::int64_t bytesChanged = 0;
  std::int64_t lowBitsChanged = 0;  // bytes whose lowest bit differs
  double meanChange = 0.0;          // mean absolute difference over all bytes
  // Peak signal-to-noise ratio in dB; nullopt when the pictures are equal.
  std::optional<double> psnr;
  PictureAnalysis before;
  PictureAnalysis after;
};

// Nullopt when the two differ in size or pixel format (nothing to compare byte by byte).
std::optional<PictureComparison> ComparePictures(const PixelView& cover, const PixelView& stego);

}  // namespace hushlake::analysis
