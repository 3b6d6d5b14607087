#include "stego/encryptor.h"

#include <span>
#include <stdexcept>
#include <utility>

#include "crypto/secure_wipe.h"
#include "stego/capacity.h"
#include "stego/palette_changes.h"
#include "stego/palette_coding.h"
#include "stego/position_order.h"
#include "stego/random_source.h"
#include "stego/symbol_stream.h"
#include "stego/truecolor_changes.h"
#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

const int PaletteColumnStep = ColumnStepOf(PixelFormat::Indexed8);
const int TrueColorColumnStep = ColumnStepOf(PixelFormat::Bgr24);

EngineOutcome OutcomeOf(EngineStatus status) {
  EngineOutcome outcome;
  outcome.status = status;
  return outcome;
}

EngineOutcome CapacityOutcomeOf(std::int64_t positions, std::size_t streamLength,
                                std::size_t textLength, std::size_t keyLength) {
  EngineOutcome outcome;
  outcome.positionsAvailable = positions;
  outcome.symbolsNeeded =
      SymbolsNeeded(static_cast<std::int64_t>(textLength), static_cast<std::int64_t>(keyLength));
  // The stream comes from the text holder; should it hold more than the text
  // the caller announced, the stream itself must still fit.
  const bool fits =
      positions >= outcome.symbolsNeeded && static_cast<std::uint64_t>(positions) >= streamLength;
  if (!fits) outcome.status = EngineStatus::TextTooLong;
  return outcome;
}

// The capacity check comes before anything random is drawn: a refused text
// leaves the random source as it was.
EncryptPlan PlanTrueColor(const PixelView& picture, std::string_view key, const TextHolder& text,
                          std::size_t textLength, RandomSource& random) {
  EncryptPlan plan;
  const SecretBytes symbols =
      BuildSymbolStream(key, SecretString::Adopt(text.Text()), TrueColorAlphabet);
  const PositionOrder order(picture.Width(), picture.Height(), TrueColorColumnStep, key);
  plan.outcome = CapacityOutcomeOf(order.Count(), symbols.size(), textLength, key.size());
  if (!plan.outcome.Succeeded()) return plan;
  random.SeedFromTime(key);
  auto changes =
      std::make_unique<TrueColorChanges>(picture.Width(), picture.Height(), picture.Format(), order,
                                         key, symbols.View(), random.State());
  random.SetState(changes->NoiseStateAfter());
  plan.changes = std::move(changes);
  return plan;
}

EncryptPlan PlanPalette(const PixelView& picture, SecretString key, TextHolder& text,
                        std::size_t textLength, RandomSource& random) {
  // Both sides lower-case the key, so the positions (which depend on its
  // codes) and the key check agree however the caller spelled it.
  LowerCaseAnsiInPlace(std::span(key.data(), key.size()));
  {
    const SecretString original = SecretString::Adopt(text.Text());
    std::string reduced = ReduceText(original);
    text.ReplaceText(reduced);
    ScrubString(reduced);
  }
  EncryptPlan plan;
  const SecretBytes symbols =
      BuildSymbolStream(key, SecretString::Adopt(text.Text()), PaletteAlphabet);
  const PositionOrder order(picture.Width(), picture.Height(), PaletteColumnStep, key);
  plan.outcome = CapacityOutcomeOf(order.Count(), symbols.size(), textLength, key.size());
  if (!plan.outcome.Succeeded()) return plan;
  Palette palette = picture.GetPalette();
  MakePaletteDistinct(palette, random);
  plan.changes = std::make_unique<PaletteChanges>(picture.Height(), palette, order, symbols.View());
  return plan;
}

}  // namespace

EncryptPlan PlanEncrypt(const PixelView& picture, SecretString key, TextHolder& text,
                        std::size_t textLength, RandomSource& random) {
  switch (picture.Format()) {
    case PixelFormat::Indexed8:
      return PlanPalette(picture, std::move(key), text, textLength, random);
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
      return PlanTrueColor(picture, key, text, textLength, random);
  }
  EncryptPlan refused;
  refused.outcome = OutcomeOf(EngineStatus::UnsupportedDepth);
  return refused;
}

TEncryptor::TEncryptor(Picture& source, PictureHolder& target, SecretString key,
                       TextHolder& textHolder, RandomSource& random)
    : source_(source),
      target_(target),
      textHolder_(textHolder),
      random_(random),
      key_(std::move(key)) {
  source_.TrimToEvenSize();
}

void TEncryptor::MarkUsed() {
  if (used_) throw std::logic_error("TEncryptor serves one Encrypt or one Decrypt");
  used_ = true;
}

// The plan comes before the working copy is made and changed: a refused
// text then costs no copy, and nothing of the outcome differs.
EngineOutcome TEncryptor::Encrypt() {
  MarkUsed();
  EncryptPlan plan =
      PlanEncrypt(PixelView::Of(source_), std::move(key_), textHolder_, textLength_, random_);
  if (!plan.outcome.Succeeded()) return std::move(plan.outcome);
  Picture work = TakeWorkingCopy();
  if (const Palette* palette = plan.changes->NewPalette()) work.SetPalette(*palette);
  plan.changes->Apply({0, work.Height(), work.Row(0), static_cast<std::int64_t>(work.RowBytes())});
  target_.ReplacePicture(std::move(work));
  return std::move(plan.outcome);
}

Picture TEncryptor::TakeWorkingCopy() {
  if (!workInSource_) return source_;
  Picture work = std::move(source_);
  source_ = Picture();  // empty, not a size without pixels
  return work;
}

EngineOutcome TEncryptor::Decrypt() {
  MarkUsed();
  return DecryptPixels(PixelView::Of(source_), std::move(key_));
}

}  // namespace hushlake
