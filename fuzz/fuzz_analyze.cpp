// The analyze path: any bytes read as a BMP or PNG file (the first byte
// chooses the name's extension the reader falls back on) and, when they make
// a picture, every detector, the reports in text and JSON, and the
// comparison with a copy whose bytes the input's tail changed. Nothing may
// crash, and every estimate must be a rate between 0 and 1.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>

#include "app/analysis_report.h"
#include "stego/analysis/analysis.h"
#include "stego/picture/picture_files.h"

namespace {

using namespace hushlake;

// Larger pictures only make the run slower, not the paths different.
constexpr std::int64_t kMaxPixels = 1 << 18;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz_analyze: %s\n", what);
  std::abort();
}

void CheckRate(double rate) {
  if (!(rate >= 0.0 && rate <= 1.0)) Fail("an estimate outside 0..1");
}

void CheckAnalysis(const analysis::PictureAnalysis& report) {
  for (const analysis::ReplacedRates& rates : report.channels) {
    CheckRate(rates.samplePairs);
    CheckRate(rates.rs);
    CheckRate(rates.weightedStego);
  }
  CheckRate(report.chiSquare.probability);
  if (report.verdict.text.empty()) Fail("no verdict");
  if (report.verdict.lowRiskBytes < 0) Fail("a negative capacity");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string name = (data[0] & 1) != 0 ? "input.png" : "input.bmp";
  const PictureReadResult read = ReadPicture({data + 1, size - 1}, name);
  if (read.status != PictureReadStatus::Ok) return 0;
  const Picture& picture = read.picture;
  if (static_cast<std::int64_t>(picture.Width()) * picture.Height() > kMaxPixels) return 0;

  PictureAnalysisOutcome outcome;
  outcome.path = name;
  outcome.analysis = analysis::AnalyzePicture(picture);
  CheckAnalysis(*outcome.analysis);
  if (ReportText(name, *outcome.analysis).empty() || ReportJson(outcome).empty())
    Fail("an empty report");

  // The changed copy: the input's last bytes added to the first pixel bytes.
  Picture changed = picture;
  const std::span<std::uint8_t> pixels = changed.Pixels();
  for (std::size_t i = 0; i < pixels.size() && i < 64 && i < size; ++i)
    pixels[i] = static_cast<std::uint8_t>(pixels[i] + data[size - 1 - i]);
  PictureComparisonOutcome comparison;
  comparison.coverPath = name;
  comparison.stegoPath = name;
  comparison.comparison = analysis::ComparePictures(PixelView::Of(picture), PixelView::Of(changed));
  if (!comparison.comparison) Fail("a copy of the same size does not compare");
  if (comparison.comparison->bytesChanged > comparison.comparison->bytes)
    Fail("more changed than compared");
  if (ComparisonText(comparison).empty() || ComparisonJson(comparison).empty())
    Fail("an empty comparison");
  return 0;
}
