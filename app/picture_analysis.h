#pragma once
// The analysis of picture files, for every front end: a picture is read
// through the file store (a BMP file where it lies when it can be, anything
// else into memory), the detectors run over it, and a refusal names the
// reason. ReportText and ReportJson (analysis_report.h) put the results
// into words.
#include <optional>
#include <string>

#include "app/ports.h"
#include "stego/analysis/analysis.h"

namespace hushlake {

struct PictureAnalysisOutcome {
  std::string path;
  std::optional<analysis::PictureAnalysis> analysis;  // nullopt when refused
  std::string error;                                  // why it was refused
};

PictureAnalysisOutcome AnalyzePictureFile(const FileStore& store, const std::string& path);

struct PictureComparisonOutcome {
  std::string coverPath;
  std::string stegoPath;
  std::optional<analysis::PictureComparison> comparison;  // nullopt when refused
  std::string error;  // why: a file refused, or the two not of one size and depth
};

PictureComparisonOutcome ComparePictureFiles(const FileStore& store, const std::string& cover,
                                             const std::string& stego);

}  // namespace hushlake
