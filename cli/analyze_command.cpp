// `analyze PICTURE...` and `analyze --against COVER STEGO`: how conspicuous
// pictures are to the published detectors of hidden text.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/analysis_report.h"
#include "app/local_file_store.h"
#include "app/picture_analysis.h"
#include "cli/command.h"
#include "cli/outcome.h"
#include "cli/picture_names.h"
#include "cli/standard_streams.h"
#include "cli/terminal_output.h"

namespace hushlake::cli {
namespace {

struct AnalyzeOptions {
  std::vector<std::string> pictures;
  std::string against;
  bool json = false;
};

// "-" is the picture on standard input, read whole (as far as a picture may go).
PictureSource SourceNamed(const std::string& name) {
  if (name != StandardStream) return PictureSource::File(name);
  const std::string bytes = ReadStandardInput(kMaxPictureFileBytes);
  return PictureSource::Bytes("standard input",
                              std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

int AnalyzeEach(const AnalyzeOptions& options) {
  const LocalFileStore store;
  bool refused = false;
  if (options.json) std::cout << "[";
  for (std::size_t i = 0; i < options.pictures.size(); ++i) {
    const std::string& name = options.pictures[i];
    PictureAnalysisOutcome outcome;
    if (std::optional<std::string> refusal = PictureNameRefusal(name))
      outcome.error = std::move(*refusal);
    else
      outcome = AnalyzePictureSource(store, SourceNamed(name));
    outcome.path = name;
    if (!outcome.analysis) {
      refused = true;
      std::cerr << "hushlake-cli: " << name << ": " << outcome.error << "\n";
    }
    if (options.json) {
      std::cout << (i == 0 ? "" : ",\n ") << ReportJson(outcome);
    } else if (outcome.analysis) {
      std::cout << (i == 0 ? "" : "\n") << ReportText(name, *outcome.analysis);
    }
    std::cout.flush();
  }
  if (options.json) std::cout << "]\n";
  return refused ? ExitRefused : ExitSuccess;
}

int CompareTwo(const AnalyzeOptions& options) {
  if (options.pictures.size() != 1)
    throw UsageError("--against COVER takes exactly one picture to compare with it");
  for (const std::string& name : {options.against, options.pictures[0]})
    if (std::optional<std::string> refusal = PictureNameRefusal(name))
      throw Refusal("Cannot open the picture \"" + name + "\": " + *refusal);
  const LocalFileStore store;
  PictureComparisonOutcome outcome =
      ComparePictureSources(store, SourceNamed(options.against), SourceNamed(options.pictures[0]));
  outcome.coverPath = options.against;
  outcome.stegoPath = options.pictures[0];
  if (options.json) std::cout << ComparisonJson(outcome) << "\n";
  if (!outcome.comparison) throw Refusal(outcome.error);
  if (!options.json) std::cout << ComparisonText(outcome);
  return ExitSuccess;
}

}  // namespace

void AddAnalyzeCommand(CLI::App& app, CommandRun& run) {
  auto options = std::make_shared<AnalyzeOptions>();
  CLI::App& command = *app.add_subcommand(
      "analyze", "tell how conspicuous pictures are to detectors of hidden text");
  command
      .add_option("PICTURE", options->pictures,
                  "the pictures (.bmp, .png or no extension; - for standard input)")
      ->required()
      ->check(FileName());
  command
      .add_option("--against", options->against,
                  "compare the one PICTURE with this cover it was made from")
      ->type_name("COVER")
      ->check(FileName());
  command.add_flag("--json", options->json, "write JSON for scripts instead of text");
  command.footer(
      "For each picture: the estimated share of low bits replaced (Sample Pair\n"
      "Analysis, RS analysis and Weighted Stego, per colour), the chi-square attack over\n"
      "the picture and along the scan, how random the two low bit planes are, whether\n"
      "bytes at even and odd offsets differ, whether the picture was once a JPEG (and\n"
      "at what quality), palette tells of 8-bit pictures, and a verdict in plain words.\n"
      "A picture that looks untouched also shows how much plain low-bit replacement\n"
      "could hide in it at low risk. With --against, the changes from the cover to the\n"
      "picture (bytes and low bits changed, mean change, PSNR) and every detector on both.\n"
      "\nExample: hushlake-cli analyze photo.bmp hidden.png\n"
      "\nExit status: 0 every picture analysed, 1 a picture refused (each is named with\n"
      "its reason; the others are still analysed), 2 wrong usage.");
  command.callback([options, &run] {
    run = [options] {
      return options->against.empty() ? AnalyzeEach(*options) : CompareTwo(*options);
    };
  });
}

}  // namespace hushlake::cli
