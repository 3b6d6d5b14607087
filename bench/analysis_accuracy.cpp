// How well the detectors of hidden text do on real photographs: the mean
// error of each estimator of replaced low bits at known rates, how often an
// untouched photograph is called untouched, how often a decompressed JPEG is
// recognised and a never-compressed photograph is not, what share of other
// pictures (given by folder) is flagged, and the processor time of one
// large picture. Made to be run by bench/analysis_accuracy.sh.
//
// Usage: analysis_accuracy CORPUS_DIR [LABEL=FOLDER ...]
//   CORPUS_DIR/covers/*.bmp  untouched photographs, never JPEG-compressed
//   CORPUS_DIR/jpeg/*.bmp    the same, decompressed from JPEG files
//   CORPUS_DIR/large.bmp     a 4000x3000 picture for the time (optional)
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "bench/picture_folder.h"
#include "stego/analysis/analysis.h"
#include "stego/analysis/colour_plane.h"
#include "stego/analysis/rs_analysis.h"
#include "stego/analysis/sample_pair.h"
#include "stego/analysis/weighted_stego.h"
#include "stego/picture/picture_files.h"

namespace {

using namespace hushlake;
using namespace hushlake::analysis;
namespace fs = std::filesystem;

bool Load(const fs::path& file, Picture& picture) {
  PictureReadResult read = ReadPictureFile(file.string());
  if (read.status != PictureReadStatus::Ok) {
    std::fprintf(stderr, "%s: %s\n", file.c_str(), read.error.c_str());
    return false;
  }
  picture = std::move(read.picture);
  return true;
}

// Plain LSB replacement: each colour byte's low bit replaced by a random bit with chance Rate.
void ReplaceLowBits(Picture& picture, double rate, std::mt19937& random) {
  std::uniform_real_distribution<double> chance(0.0, 1.0);
  const int step = picture.BytesPerPixel();
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x)
      for (int c = 0; c < std::min(step, 3); ++c)
        if (chance(random) < rate) {
          std::uint8_t& byte = row[x * step + c];
          byte = static_cast<std::uint8_t>((byte & 0xFE) | (random() & 1));
        }
  }
}

ReplacedRates MeanRates(const Picture& picture) {
  const PixelView view = PixelView::Of(picture);
  ReplacedRates mean;
  for (const ColourPlane& plane : ColourPlanesOf(view)) {
    mean.samplePairs += SamplePairRate(plane) / 3.0;
    mean.rs += RsRate(plane) / 3.0;
    mean.weightedStego += WeightedStegoRate(plane) / 3.0;
  }
  return mean;
}

double Quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(q * static_cast<double>(values.size() - 1))];
}

const char* FindingName(Finding finding) {
  switch (finding) {
    case Finding::Untouched:
      return "untouched";
    case Finding::TooSmall:
      return "too small";
    case Finding::WasJpeg:
      return "was a JPEG";
    case Finding::LowBitsReplaced:
      return "low bits replaced";
    case Finding::OffsetsDiffer:
      return "offsets differ";
    case Finding::PalettePairs:
      return "palette pairs";
  }
  return "?";
}

void Accuracy(const std::vector<fs::path>& covers) {
  const std::array<double, 6> rates = {0.0, 0.05, 0.1, 0.2, 0.5, 1.0};
  std::array<std::array<double, 3>, 6> errors{};
  std::array<std::array<double, 3>, 6> worst{};
  std::array<std::array<double, 3>, 6> signedErrors{};
  std::mt19937 random(2026);
  int pictures = 0;
  int untouched = 0;
  int jpegFlags = 0;
  std::map<std::string, int> findings;
  std::vector<double> ws, planeBits, agreement, offsets;
  for (const fs::path& file : covers) {
    Picture cover;
    if (!Load(file, cover)) continue;
    ++pictures;
    const PictureAnalysis analysis = AnalyzePicture(cover);
    ++findings[FindingName(analysis.verdict.finding)];
    untouched += analysis.verdict.finding == Finding::Untouched;
    jpegFlags += analysis.jpeg.wasJpeg;
    ws.push_back(analysis.rates.weightedStego);
    planeBits.push_back(analysis.lowBits.bitsPerBit[1]);
    agreement.push_back(analysis.lowBits.neighbourAgreement[1]);
    offsets.push_back(std::fabs(analysis.lowBits.columnDifference));
    if (analysis.verdict.finding != Finding::Untouched)
      std::printf("  cover %s: %s\n", file.filename().c_str(), analysis.verdict.text.c_str());
    for (std::size_t r = 0; r < rates.size(); ++r) {
      Picture stego = cover;
      if (rates[r] > 0.0) ReplaceLowBits(stego, rates[r], random);
      const ReplacedRates found = MeanRates(stego);
      const std::array<double, 3> estimates = {found.weightedStego, found.samplePairs, found.rs};
      for (std::size_t e = 0; e < 3; ++e) {
        const double error = std::fabs(estimates[e] - rates[r]);
        errors[r][e] += error;
        signedErrors[r][e] += estimates[e] - rates[r];
        worst[r][e] = std::max(worst[r][e], error);
      }
    }
  }
  if (pictures == 0) return;
  std::printf(
      "\nPlain LSB replacement, %d photographs: mean absolute error (mean signed error, largest)\n",
      pictures);
  std::printf("| rate | WS | SPA | RS |\n|---|---|---|---|\n");
  std::array<double, 3> overall{};
  for (std::size_t r = 0; r < rates.size(); ++r) {
    std::printf("| %.2f |", rates[r]);
    for (std::size_t e = 0; e < 3; ++e) {
      std::printf(" %.4f (%+.4f, %.3f) |", errors[r][e] / pictures, signedErrors[r][e] / pictures,
                  worst[r][e]);
      overall[e] += errors[r][e] / pictures / static_cast<double>(rates.size());
    }
    std::printf("\n");
  }
  std::printf("| all | %.4f | %.4f | %.4f |\n", overall[0], overall[1], overall[2]);
  std::printf("\nUntouched photographs called \"looks untouched\": %d of %d (%.1f%%)\n", untouched,
              pictures, 100.0 * untouched / pictures);
  for (const auto& [name, count] : findings) std::printf("  %s: %d\n", name.c_str(), count);
  std::printf("Never-JPEG photographs taken for a JPEG: %d of %d (not flagged: %.1f%%)\n",
              jpegFlags, pictures, 100.0 * (pictures - jpegFlags) / pictures);
  std::printf(
      "Covers' statistics (median, 95%%, max): WS %.4f %.4f %.4f; second plane bits %.4f %.4f "
      "%.4f; agreement (5%%, median) %.4f %.4f; |offset difference| %.2f %.2f %.2f\n",
      Quantile(ws, 0.5), Quantile(ws, 0.95), Quantile(ws, 1.0), Quantile(planeBits, 0.5),
      Quantile(planeBits, 0.95), Quantile(planeBits, 1.0), Quantile(agreement, 0.05),
      Quantile(agreement, 0.5), Quantile(offsets, 0.5), Quantile(offsets, 0.95),
      Quantile(offsets, 1.0));
}

void Jpegs(const std::vector<fs::path>& files) {
  int pictures = 0;
  int recognised = 0;
  double qualityError = 0.0;
  for (const fs::path& file : files) {
    Picture picture;
    if (!Load(file, picture)) continue;
    ++pictures;
    const PictureAnalysis analysis = AnalyzePicture(picture);
    const std::string name = file.stem().string();
    const int quality = std::stoi(name.substr(name.rfind("-q") + 2));
    if (analysis.verdict.finding == Finding::WasJpeg) {
      ++recognised;
      qualityError += std::abs(analysis.jpeg.quality - quality);
    } else {
      std::printf("  not recognised: %s (%s)\n", file.filename().c_str(),
                  analysis.verdict.text.c_str());
    }
  }
  if (pictures == 0) return;
  std::printf(
      "Decompressed JPEGs (quality 75-95) recognised: %d of %d (%.1f%%), mean quality "
      "error %.1f\n",
      recognised, pictures, 100.0 * recognised / pictures,
      recognised ? qualityError / recognised : 0.0);
}

void Flagged(const std::string& label, const std::vector<fs::path>& files) {
  int pictures = 0;
  std::map<std::string, int> findings;
  std::vector<double> ws, offsets;
  for (const fs::path& file : files) {
    Picture picture;
    if (!Load(file, picture)) continue;
    ++pictures;
    const PictureAnalysis analysis = AnalyzePicture(picture);
    ++findings[FindingName(analysis.verdict.finding)];
    ws.push_back(analysis.rates.weightedStego);
    offsets.push_back(std::fabs(analysis.lowBits.columnDifference));
    if (analysis.verdict.finding == Finding::Untouched)
      std::printf("  untouched: %s (WS %.3f, offset difference %.2f)\n", file.filename().c_str(),
                  analysis.rates.weightedStego, analysis.lowBits.columnDifference);
  }
  if (pictures == 0) return;
  const int flagged = pictures - findings["untouched"];
  std::printf("%s: flagged %d of %d (%.1f%%):", label.c_str(), flagged, pictures,
              100.0 * flagged / pictures);
  for (const auto& [name, count] : findings)
    if (count > 0) std::printf(" %s %d;", name.c_str(), count);
  std::printf("\n  WS (5%%, median) %.4f %.4f; |offset difference| (5%%, median) %.2f %.2f\n",
              Quantile(ws, 0.05), Quantile(ws, 0.5), Quantile(offsets, 0.05),
              Quantile(offsets, 0.5));
}

void Time(const fs::path& file) {
  Picture picture;
  if (!fs::exists(file) || !Load(file, picture)) return;
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const std::clock_t start = std::clock();
    const PictureAnalysis analysis = AnalyzePicture(picture);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    best = std::min(best, seconds);
    if (i == 0) std::printf("Large picture: %s\n", analysis.verdict.text.c_str());
  }
  std::printf("Analysis of %dx%d, %d-bit: %.3f s of processor time (best of 3)\n", picture.Width(),
              picture.Height(), picture.BytesPerPixel() * 8, best);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR [LABEL=FOLDER ...]\n", argv[0]);
    return 2;
  }
  const fs::path corpus = argv[1];
  Accuracy(hushlake::bench::PicturesIn(corpus / "covers"));
  Jpegs(hushlake::bench::PicturesIn(corpus / "jpeg"));
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) continue;
    Flagged(argument.substr(0, equals), hushlake::bench::PicturesIn(argument.substr(equals + 1)));
  }
  Time(corpus / "large.bmp");
  return 0;
}
