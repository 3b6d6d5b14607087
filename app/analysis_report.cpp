#include "app/analysis_report.h"

#include <cstdio>

namespace hushlake {
namespace {

using analysis::PictureAnalysis;
using analysis::ReplacedRates;

std::string Format(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

int BitsOf(PixelFormat format) { return BytesPerPixelOf(format) * 8; }

const char* FindingName(analysis::Finding finding) {
  switch (finding) {
    case analysis::Finding::Untouched:
      return "untouched";
    case analysis::Finding::TooSmall:
      return "too small";
    case analysis::Finding::WasJpeg:
      return "was a JPEG";
    case analysis::Finding::LowBitsReplaced:
      return "low bits replaced";
    case analysis::Finding::OffsetsDiffer:
      return "offsets differ";
    case analysis::Finding::PalettePairs:
      return "palette pairs";
  }
  return "";
}

std::string RateLine(const char* name, const PictureAnalysis& a, double ReplacedRates::*estimator) {
  return Format("    %-4s %5.3f  %5.3f  %5.3f   %5.3f\n", name, a.channels[0].*estimator,
                a.channels[1].*estimator, a.channels[2].*estimator, a.rates.*estimator);
}

std::string JpegText(const analysis::JpegHistory& jpeg) {
  std::string text = Format("  8x8 blockiness %.2f (grid at column %d, row %d)\n", jpeg.blockiness,
                            jpeg.gridColumn, jpeg.gridRow);
  if (!jpeg.wasJpeg)
    return text + Format("  JPEG: never was one, it seems (%d of 63 frequencies on steps)\n",
                         jpeg.quantizedFrequencies);
  return text +
         Format(
             "  JPEG: was one, at quality about %d (%d of 63 frequencies on steps);\n"
             "    %.0f%% of the blocks are as a decompression leaves them\n",
             jpeg.quality, jpeg.quantizedFrequencies, jpeg.compatibleBlocks * 100.0) +
         "  A change to a once-JPEG picture shows: hide in a picture that never was a JPEG.\n";
}

std::string JsonRates(const ReplacedRates& rates) {
  return Format("{\"spa\": %.4f, \"rs\": %.4f, \"ws\": %.4f}", rates.samplePairs, rates.rs,
                rates.weightedStego);
}

std::string AnalysisJson(const PictureAnalysis& a) {
  std::string json =
      "\"verdict\": " + JsonString(a.verdict.text) +
      ", \"finding\": " + JsonString(FindingName(a.verdict.finding)) +
      Format(
          ", \"lowRiskBytes\": %lld, \"width\": %d, \"height\": %d, "
          "\"bitsPerPixel\": %d",
          static_cast<long long>(a.verdict.lowRiskBytes), a.width, a.height, BitsOf(a.format));
  json += ", \"replacedRates\": {\"blue\": " + JsonRates(a.channels[0]) +
          ", \"green\": " + JsonRates(a.channels[1]) + ", \"red\": " + JsonRates(a.channels[2]) +
          ", \"mean\": " + JsonRates(a.rates) + "}";
  json += Format(", \"chiSquare\": {\"probability\": %.6g, \"evenPrefix\": %.2f, \"alongScan\": [",
                 a.chiSquare.probability, a.chiSquare.evenPrefix);
  for (std::size_t i = 0; i < a.chiSquare.alongScan.size(); ++i)
    json += Format(i == 0 ? "%.4g" : ", %.4g", a.chiSquare.alongScan[i]);
  json += "]}";
  const analysis::LowBitPlanes& bits = a.lowBits;
  json +=
      Format(", \"lowBits\": {\"bitsPerBit\": [%.4f, %.4f], \"neighbourAgreement\": [%.4f, %.4f]",
             bits.bitsPerBit[0], bits.bitsPerBit[1], bits.neighbourAgreement[0],
             bits.neighbourAgreement[1]);
  if (bits.hasColumns)
    json += Format(
        ", \"evenRoughness\": %.4f, \"oddRoughness\": %.4f, \"offsetDifference\": %.2f, "
        "\"evenOddShare\": %.4f, \"oddOddShare\": %.4f",
        bits.evenRoughness, bits.oddRoughness, bits.columnDifference, bits.evenOddShare,
        bits.oddOddShare);
  json += "}";
  const analysis::JpegHistory& jpeg = a.jpeg;
  json += Format(
      ", \"jpeg\": {\"wasJpeg\": %s, \"quality\": %d, \"blockiness\": %.3f, "
      "\"gridColumn\": %d, \"gridRow\": %d, \"quantizedFrequencies\": %d, "
      "\"compatibleBlocks\": %.4f}",
      jpeg.wasJpeg ? "true" : "false", jpeg.quality, jpeg.blockiness, jpeg.gridColumn, jpeg.gridRow,
      jpeg.quantizedFrequencies, jpeg.compatibleBlocks);
  if (a.palette.indexed)
    json += Format(
        ", \"palette\": {\"usedEntries\": %d, \"unusedEntries\": %d, \"equalPairs\": %d, "
        "\"nearPairs\": %d, \"pairedShare\": %.4f}",
        a.palette.usedEntries, a.palette.unusedEntries, a.palette.equalPairs, a.palette.nearPairs,
        a.palette.pairedShare);
  return json;
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\')
      json += std::string("\\") + c;
    else if (byte < 0x20)
      json += Format("\\u%04x", byte);
    else
      json += c;
  }
  return json + "\"";
}

std::string ReportText(const std::string& name, const PictureAnalysis& a) {
  std::string text = name + ": " + a.verdict.text + "\n";
  text += Format("  %d x %d pixels, %d bits\n", a.width, a.height, BitsOf(a.format));
  // The column names stand over the figures of RateLine.
  text += "  Replaced low bits, estimated:\n";
  text += "         blue   green  red     mean\n";
  text += RateLine("SPA", a, &ReplacedRates::samplePairs);
  text += RateLine("RS", a, &ReplacedRates::rs);
  text += RateLine("WS", a, &ReplacedRates::weightedStego);
  text += Format(
      "  Chi-square: %.3g over the picture;\n"
      "    value pairs even over the first %.0f%% of the scan\n",
      a.chiSquare.probability, a.chiSquare.evenPrefix * 100.0);
  const analysis::LowBitPlanes& bits = a.lowBits;
  text += Format(
      "  Low bit planes: %.3f and %.3f bits per bit (random: 1),\n"
      "    neighbours agree %.3f and %.3f (random: 0.5)\n",
      bits.bitsPerBit[0], bits.bitsPerBit[1], bits.neighbourAgreement[0],
      bits.neighbourAgreement[1]);
  if (bits.hasColumns)
    text += Format(
        "  Even and odd offsets: roughness %.3f and %.3f, %.1f standard errors apart;\n"
        "    odd values %.3f and %.3f\n",
        bits.evenRoughness, bits.oddRoughness, bits.columnDifference, bits.evenOddShare,
        bits.oddOddShare);
  text += JpegText(a.jpeg);
  if (a.palette.indexed)
    text += Format(
        "  Palette: %d entries used, %d unused;\n"
        "    %d equal and %d near pairs (%.0f%% of the used entries paired)\n",
        a.palette.usedEntries, a.palette.unusedEntries, a.palette.equalPairs, a.palette.nearPairs,
        a.palette.pairedShare * 100.0);
  if (a.verdict.finding == analysis::Finding::Untouched && a.verdict.lowRiskBytes > 0)
    text += Format(
        "  Can carry about %lld bytes at low risk by plain low-bit replacement; the\n"
        "  classic format shows at any size (its noise sets even and odd offsets apart)\n",
        static_cast<long long>(a.verdict.lowRiskBytes));
  return text;
}

std::string ComparisonText(const PictureComparisonOutcome& outcome) {
  const analysis::PictureComparison& c = *outcome.comparison;
  std::string text = outcome.coverPath + " against " + outcome.stegoPath + "\n";
  const double bytes = c.bytes > 0 ? static_cast<double>(c.bytes) : 1.0;
  text +=
      Format("  Bytes changed: %lld of %lld (%.1f%%)\n", static_cast<long long>(c.bytesChanged),
             static_cast<long long>(c.bytes), 100.0 * static_cast<double>(c.bytesChanged) / bytes);
  text += Format("  Low bits changed: %lld (%.1f%%)\n", static_cast<long long>(c.lowBitsChanged),
                 100.0 * static_cast<double>(c.lowBitsChanged) / bytes);
  text += Format("  Mean change: %.3f per byte\n", c.meanChange);
  text += c.psnr ? Format("  PSNR: %.1f dB\n", *c.psnr) : std::string("  PSNR: the same pixels\n");
  text += "\nBefore:\n" + ReportText(outcome.coverPath, c.before);
  text += "\nAfter:\n" + ReportText(outcome.stegoPath, c.after);
  return text;
}

std::string ReportJson(const PictureAnalysisOutcome& outcome) {
  std::string json = "{\"file\": " + JsonString(outcome.path);
  if (!outcome.analysis) return json + ", \"error\": " + JsonString(outcome.error) + "}";
  return json + ", " + AnalysisJson(*outcome.analysis) + "}";
}

std::string ComparisonJson(const PictureComparisonOutcome& outcome) {
  std::string json = "{\"cover\": " + JsonString(outcome.coverPath) +
                     ", \"stego\": " + JsonString(outcome.stegoPath);
  if (!outcome.comparison) return json + ", \"error\": " + JsonString(outcome.error) + "}";
  const analysis::PictureComparison& c = *outcome.comparison;
  json += Format(
      ", \"bytes\": %lld, \"bytesChanged\": %lld, \"lowBitsChanged\": %lld, "
      "\"meanChange\": %.4f, \"psnr\": ",
      static_cast<long long>(c.bytes), static_cast<long long>(c.bytesChanged),
      static_cast<long long>(c.lowBitsChanged), c.meanChange);
  json += c.psnr ? Format("%.2f", *c.psnr) : std::string("null");
  json +=
      ", \"before\": {" + AnalysisJson(c.before) + "}, \"after\": {" + AnalysisJson(c.after) + "}}";
  return json;
}

}  // namespace hushlake
