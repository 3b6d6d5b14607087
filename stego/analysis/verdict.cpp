// The verdict: the first finding that holds, in the order of how surely it
// gives a picture away.
#include <algorithm>
#include <cmath>

#include "stego/analysis/analysis.h"

namespace hushlake::analysis {
namespace {

// Fewer pixels than this leave every estimate too rough to judge.
constexpr std::int64_t FewestPixels = 64 * 64;

// Standard errors between the roughness at even and at odd row offsets
// beyond which chance no longer explains the difference (the bench's
// photographs stay under 3).
constexpr double OffsetAlarm = 6.0;

// A palette with this share of its used entries in look-alike pairs (and
// at least this many pairs) was made for hiding.
constexpr double PairedAlarm = 0.5;
constexpr int FewestPairs = 8;

std::string Percent(double share) {
  return std::to_string(static_cast<int>(std::lround(share * 100.0)));
}

std::int64_t LowRiskBytes(const PictureAnalysis& analysis) {
  if (analysis.format == PixelFormat::Indexed8) return 0;
  // Half the distance to the alarm: the estimate's own scatter needs the rest.
  const double rate = std::max(0.0, (ReplacedRateAlarm - analysis.rates.weightedStego) / 2.0);
  const double samples = 3.0 * analysis.width * static_cast<double>(analysis.height);
  return static_cast<std::int64_t>(rate * samples / 8.0);
}

}  // namespace

Verdict JudgeAnalysis(const PictureAnalysis& analysis) {
  Verdict verdict;
  const auto set = [&verdict](Finding finding, std::string text) {
    verdict.finding = finding;
    verdict.text = std::move(text);
    return verdict;
  };
  if (static_cast<std::int64_t>(analysis.width) * analysis.height < FewestPixels)
    return set(Finding::TooSmall, "too small to judge");
  const PaletteTells& palette = analysis.palette;
  if (palette.indexed && palette.pairedShare >= PairedAlarm &&
      palette.equalPairs + palette.nearPairs >= FewestPairs)
    return set(Finding::PalettePairs, "palette holds " +
                                          std::to_string(palette.equalPairs + palette.nearPairs) +
                                          " pairs of look-alike colours, as hiding needs");
  if (analysis.jpeg.wasJpeg)
    return set(Finding::WasJpeg, "was a JPEG at quality about " +
                                     std::to_string(analysis.jpeg.quality) +
                                     ": any hidden text will show");
  if (analysis.rates.weightedStego >= ReplacedRateAlarm)
    return set(Finding::LowBitsReplaced, "low bits look replaced: about " +
                                             Percent(analysis.rates.weightedStego) + "% by WS");
  const LowBitPlanes& bits = analysis.lowBits;
  if (bits.hasColumns && std::fabs(bits.columnDifference) >= OffsetAlarm)
    return set(Finding::OffsetsDiffer,
               "bytes at even and odd offsets differ, as added noise leaves them");
  set(Finding::Untouched, "looks untouched");
  verdict.lowRiskBytes = LowRiskBytes(analysis);
  return verdict;
}

}  // namespace hushlake::analysis
