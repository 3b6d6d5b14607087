#include "app/picture_analysis.h"

#include <stdexcept>

namespace hushlake {
namespace {

// A picture as the detectors see it: mapped where it lies, or read whole.
struct LoadedPicture {
  std::optional<PictureInPlace> inPlace;
  Picture picture;
  PixelView View() const { return inPlace ? inPlace->pixels : PixelView::Of(picture); }
  // Runs Reader over the pixels; a mapped file cut short meanwhile raises
  // std::runtime_error, and what the reader made is to be thrown away.
  template <typename Reader>
  void Read(Reader&& reader) const {
    if (inPlace)
      inPlace->file->Read([&] { reader(View()); });
    else
      reader(View());
  }
};

// Nullopt with Error set when the file is refused. InPlace allows a mapping.
std::optional<LoadedPicture> Load(const FileStore& store, const std::string& path,
                                  std::string& error, bool inPlace) {
  LoadedPicture loaded;
  if (inPlace) loaded.inPlace = store.ViewPicture(path);
  if (loaded.inPlace) return loaded;
  PictureReadResult read = store.ReadPicture(path);
  if (read.status != PictureReadStatus::Ok) {
    error = read.error.empty() ? "not a picture this tool reads" : read.error;
    return std::nullopt;
  }
  loaded.picture = std::move(read.picture);
  return loaded;
}

}  // namespace

PictureAnalysisOutcome AnalyzePictureFile(const FileStore& store, const std::string& path) {
  PictureAnalysisOutcome outcome;
  outcome.path = path;
  try {
    const std::optional<LoadedPicture> loaded = Load(store, path, outcome.error, true);
    if (!loaded) return outcome;
    loaded->Read([&](const PixelView& view) { outcome.analysis = analysis::AnalyzePicture(view); });
  } catch (const std::exception& failure) {
    outcome.analysis.reset();
    outcome.error = failure.what();
  }
  return outcome;
}

PictureComparisonOutcome ComparePictureFiles(const FileStore& store, const std::string& cover,
                                             const std::string& stego) {
  PictureComparisonOutcome outcome;
  outcome.coverPath = cover;
  outcome.stegoPath = stego;
  try {
    // Both read into memory: a mapped file's guarded reader may not wait
    // on a second one.
    std::string error;
    const std::optional<LoadedPicture> before = Load(store, cover, error, false);
    if (!before) {
      outcome.error = cover + ": " + error;
      return outcome;
    }
    const std::optional<LoadedPicture> after = Load(store, stego, error, false);
    if (!after) {
      outcome.error = stego + ": " + error;
      return outcome;
    }
    outcome.comparison = analysis::ComparePictures(before->View(), after->View());
    if (!outcome.comparison)
      outcome.error = "the two pictures differ in size or depth: there is nothing to compare";
  } catch (const std::exception& failure) {
    outcome.comparison.reset();
    outcome.error = failure.what();
  }
  return outcome;
}

}  // namespace hushlake
