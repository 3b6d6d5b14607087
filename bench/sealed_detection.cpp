// How the detectors of `hushlake-cli analyze` fare against sealed pictures:
// for every detector's score, the area under the ROC curve (cover against
// stego) and the share of stego pictures flagged at 5% false alarms on the
// covers, one row per folder of stego pictures given, in the order given;
// then, per detector, how many stego pictures score above their own cover
// (a folder's pictures are paired with the covers by file name).
// Plain LSB replacement is made here from the covers. Made to be run by
// bench/sealed_detection.sh.
//
// Usage: sealed_detection COVER_DIR [LABEL=FOLDER | LABEL=lsb:BITS ...]
//   lsb:BITS replaces the low bits of BITS random colour bytes of each cover
//   (BITS a whole number, or a rate per colour byte such as 0.05).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench/picture_folder.h"
#include "stego/analysis/analysis.h"
#include "stego/picture/picture_files.h"

namespace {

using namespace hushlake;
using namespace hushlake::analysis;
namespace fs = std::filesystem;

struct Detector {
  const char* name;
  std::function<double(const PictureAnalysis&)> score;  // larger: more suspicious
};

const std::vector<Detector>& Detectors() {
  static const std::vector<Detector> detectors = {
      {"SPA", [](const PictureAnalysis& a) { return a.rates.samplePairs; }},
      {"RS", [](const PictureAnalysis& a) { return a.rates.rs; }},
      {"WS", [](const PictureAnalysis& a) { return a.rates.weightedStego; }},
      {"chi-square", [](const PictureAnalysis& a) { return a.chiSquare.probability; }},
      {"plane 0 bits", [](const PictureAnalysis& a) { return a.lowBits.bitsPerBit[0]; }},
      {"plane 1 bits", [](const PictureAnalysis& a) { return a.lowBits.bitsPerBit[1]; }},
      {"plane 0 agreement",
       [](const PictureAnalysis& a) { return -std::fabs(a.lowBits.neighbourAgreement[0] - 0.5); }},
      {"offsets", [](const PictureAnalysis& a) { return std::fabs(a.lowBits.columnDifference); }},
      {"verdict",
       [](const PictureAnalysis& a) {
         return a.verdict.finding == Finding::Untouched ? 0.0 : 1.0;
       }},
  };
  return detectors;
}

using Scores = std::vector<std::vector<double>>;  // [detector][picture]

void Add(Scores& scores, const PictureAnalysis& analysis) {
  scores.resize(Detectors().size());
  for (std::size_t d = 0; d < Detectors().size(); ++d)
    scores[d].push_back(Detectors()[d].score(analysis));
}

double Auc(const std::vector<double>& covers, const std::vector<double>& stegos) {
  double wins = 0;
  for (double s : stegos)
    for (double c : covers) wins += s > c ? 1.0 : s == c ? 0.5 : 0.0;
  return wins / (static_cast<double>(covers.size()) * static_cast<double>(stegos.size()));
}

// The share of stegos above the score that at most 5% of the covers exceed.
double FlaggedAtFivePercent(std::vector<double> covers, const std::vector<double>& stegos) {
  std::sort(covers.begin(), covers.end());
  const auto allowed =
      static_cast<std::size_t>(std::floor(0.05 * static_cast<double>(covers.size())));
  const double threshold = covers[covers.size() - 1 - allowed];
  const auto flagged =
      std::count_if(stegos.begin(), stegos.end(), [&](double s) { return s > threshold; });
  return static_cast<double>(flagged) / static_cast<double>(stegos.size());
}

void PrintRow(const std::string& label, const Scores& covers, const Scores& stegos) {
  std::printf("%-34s", label.c_str());
  for (std::size_t d = 0; d < Detectors().size(); ++d)
    std::printf(" %5.3f/%3.0f%%", Auc(covers[d], stegos[d]),
                100 * FlaggedAtFivePercent(covers[d], stegos[d]));
  std::printf("   (%zu pictures)\n", stegos[0].size());
}

// The paired view the table above hides: per detector, how many stego
// pictures score above their own cover. A change that moves every score up
// by a hair shows here as all of them, and in the flagged share as the cover
// just at the threshold crossing it (with 40 covers, 3 of 40 flagged).
void PrintPairedRow(const std::string& label, const Scores& covers, const Scores& stegos,
                    const std::vector<std::size_t>& coverOf) {
  std::printf("%-34s", label.c_str());
  for (std::size_t d = 0; d < Detectors().size(); ++d) {
    std::size_t above = 0;
    std::size_t paired = 0;
    for (std::size_t i = 0; i < stegos[d].size(); ++i) {
      if (coverOf[i] >= covers[d].size()) continue;
      ++paired;
      above += stegos[d][i] > covers[d][coverOf[i]];
    }
    std::printf(" %6zu/%-3zu", above, paired);
  }
  std::printf("\n");
}

// Plain LSB replacement of `bits` bits at random places: each replaced low bit is a random bit.
void ReplaceLowBits(Picture& picture, std::int64_t bits, std::mt19937& random) {
  std::vector<std::uint8_t*> colour;
  const int step = picture.BytesPerPixel();
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      for (int c = 0; c < 3; ++c) colour.push_back(picture.Row(y) + x * step + c);
  std::shuffle(colour.begin(), colour.end(), random);
  for (std::int64_t i = 0; i < bits && i < static_cast<std::int64_t>(colour.size()); ++i)
    *colour[static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>((*colour[static_cast<std::size_t>(i)] & 0xFE) | (random() & 1));
}

// The bits LSB replacement writes into a picture of `colourBytes` colour bytes.
std::int64_t LsbBits(const std::string& spec, double colourBytes) {
  const double value = std::stod(spec);
  return static_cast<std::int64_t>(value < 1 ? value * colourBytes : value);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s COVER_DIR [LABEL=FOLDER | LABEL=lsb:BITS ...]\n", argv[0]);
    return 2;
  }
  struct Row {
    std::string label;
    std::string folder;  // empty: LSB replacement of lsbBits made here
    std::string lsbBits;
    Scores scores;
    std::vector<std::size_t> coverOf;  // each picture's cover (by file name)
  };
  std::vector<Row> rows;
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    const std::size_t equals = argument.find('=');
    if (equals == std::string::npos) continue;
    const std::string what = argument.substr(equals + 1);
    Row row{argument.substr(0, equals), what, "", {}, {}};
    if (what.starts_with("lsb:")) {
      row.folder.clear();
      row.lsbBits = what.substr(4);
    }
    rows.push_back(std::move(row));
  }
  const std::vector<fs::path> coverFiles = hushlake::bench::PicturesIn(argv[1]);
  Scores covers;
  std::vector<std::string> coverNames;
  std::mt19937 random(2014);
  for (const fs::path& file : coverFiles) {
    PictureReadResult read = ReadPictureFile(file.string());
    if (read.status != PictureReadStatus::Ok) continue;
    Add(covers, AnalyzePicture(read.picture));
    coverNames.push_back(file.stem().string());
    const auto colourBytes = static_cast<double>(read.picture.Width()) * read.picture.Height() * 3;
    for (Row& row : rows) {
      if (!row.folder.empty()) continue;
      Picture changed = read.picture;
      ReplaceLowBits(changed, LsbBits(row.lsbBits, colourBytes), random);
      Add(row.scores, AnalyzePicture(changed));
      row.coverOf.push_back(coverNames.size() - 1);
    }
  }
  if (covers.empty()) {
    std::fprintf(stderr, "no cover pictures in %s\n", argv[1]);
    return 1;
  }
  std::printf("AUC / flagged at 5%% false alarms, %zu covers\n%-34s", covers[0].size(), "");
  for (const Detector& detector : Detectors()) std::printf(" %10.10s", detector.name);
  std::printf("\n");
  for (Row& row : rows) {
    for (const fs::path& file : hushlake::bench::PicturesIn(row.folder)) {
      PictureReadResult read = ReadPictureFile(file.string());
      if (read.status != PictureReadStatus::Ok) continue;
      Add(row.scores, AnalyzePicture(read.picture));
      const auto cover = std::find(coverNames.begin(), coverNames.end(), file.stem().string());
      row.coverOf.push_back(static_cast<std::size_t>(cover - coverNames.begin()));
    }
    if (row.scores.empty()) {
      std::printf("%-34s (no pictures)\n", row.label.c_str());
      continue;
    }
    PrintRow(row.label, covers, row.scores);
  }
  std::printf("\nStego pictures scoring above their own cover\n%-34s", "");
  for (const Detector& detector : Detectors()) std::printf(" %10.10s", detector.name);
  std::printf("\n");
  for (const Row& row : rows)
    if (!row.scores.empty()) PrintPairedRow(row.label, covers, row.scores, row.coverOf);
  return 0;
}
