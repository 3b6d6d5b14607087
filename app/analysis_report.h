#pragma once
// The detectors' findings in words: the block of text the command line
// prints and the report window shows, and JSON for scripts.
#include <string>

#include "app/picture_analysis.h"

namespace hushlake {

// "NAME: VERDICT" and the detectors' figures, indented, one per line.
std::string ReportText(const std::string& name, const analysis::PictureAnalysis& analysis);
// Bytes and low bits changed, mean change and PSNR, then each detector before and after.
std::string ComparisonText(const PictureComparisonOutcome& outcome);

// One JSON object: {"file": NAME, "verdict": ..., ...}, or
// {"file": NAME, "error": REASON} for a refused file.
std::string ReportJson(const PictureAnalysisOutcome& outcome);
std::string ComparisonJson(const PictureComparisonOutcome& outcome);

// A JSON string of Text (quotes, backslashes and control characters escaped;
// bytes that are not UTF-8 pass as they are).
std::string JsonString(const std::string& text);

}  // namespace hushlake
