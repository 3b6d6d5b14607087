#include "stego/encryptor.h"

#include <span>
#include <stdexcept>
#include <utility>

#include "crypto/secure_wipe.h"
#include "stego/palette_coding.h"
#include "stego/position_order.h"
#include "stego/random_source.h"
#include "stego/symbol_stream.h"
#include "stego/truecolor_changes.h"
#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

constexpr int PaletteColumnStep = 3;
constexpr int TrueColorColumnStep = 2;

EngineOutcome OutcomeOf(EngineStatus status) {
  EngineOutcome outcome;
  outcome.status = status;
  return outcome;
}

// The bytes of a picture by position, with the row length looked up once.
class RowBytes {
 public:
  explicit RowBytes(Picture& picture)
      : base_(picture.Pixels().data()),
        rowBytes_(static_cast<std::int64_t>(picture.RowBytes())),
        columnBytes_(picture.Format() == PixelFormat::Indexed8 ? 1 : 3) {}
  // 24/32-bit: the first of the six bytes at 3x; 8-bit: the middle pixel.
  std::uint8_t* At(PixelPosition p) const { return Row(p) + columnBytes_ * p.column; }
  std::uint8_t* Row(PixelPosition p) const { return base_ + p.row * rowBytes_; }

 private:
  std::uint8_t* base_;
  std::int64_t rowBytes_;
  std::int64_t columnBytes_;
};

void WritePalette(Picture& picture, const PositionOrder& order, const PairTable& pairs,
                  std::span<const std::uint8_t> symbols) {
  const RowBytes bytes(picture);
  PositionOrder::Cursor cursor = order.Begin();
  for (std::uint8_t symbol : symbols) {
    const PixelPosition position = *cursor;
    WritePaletteSymbol(bytes.Row(position), position.column, pairs, symbol);
    ++cursor;
  }
}

EngineOutcome CapacityOutcomeOf(std::int64_t positions, std::size_t streamLength,
                                std::size_t textLength, std::size_t keyLength) {
  EngineOutcome outcome;
  outcome.positionsAvailable = positions;
  outcome.symbolsNeeded =
      static_cast<std::int64_t>(textLength) + static_cast<std::int64_t>(keyLength) + 5;
  // The stream comes from the text holder; should it hold more than the text
  // the caller announced, the stream itself must still fit.
  const bool fits =
      positions >= outcome.symbolsNeeded && static_cast<std::uint64_t>(positions) >= streamLength;
  if (!fits) outcome.status = EngineStatus::TextTooLong;
  return outcome;
}

}  // namespace

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

bool TEncryptor::StartRun(Coding& coding) {
  MarkUsed();
  switch (source_.Format()) {
    case PixelFormat::Indexed8:
      coding = Coding::Indexed;
      // Both sides lower-case the key, so the positions (which depend on its
      // codes) and the key check agree however the caller spelled it.
      LowerCaseAnsiInPlace(std::span(key_.data(), key_.size()));
      return true;
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
      coding = Coding::TrueColor;
      return true;
  }
  return false;
}

EngineOutcome TEncryptor::CapacityOutcome(std::int64_t positions, std::size_t streamLength) const {
  return CapacityOutcomeOf(positions, streamLength, textLength_, key_.size());
}

EngineOutcome TEncryptor::Encrypt() {
  Coding coding{};
  if (!StartRun(coding)) return OutcomeOf(EngineStatus::UnsupportedDepth);
  return coding == Coding::Indexed ? EncryptPalette() : EncryptTrueColor();
}

// The capacity check comes before the working copy is made and changed: a
// refused text then costs no copy, and nothing of the outcome differs.
EngineOutcome TEncryptor::EncryptTrueColor() {
  TrueColorPlan plan =
      PlanTrueColorEncrypt(source_.Width(), source_.Height(), source_.Format(), key_,
                           SecretString::Adopt(textHolder_.Text()), textLength_, random_);
  if (!plan.outcome.Succeeded()) return std::move(plan.outcome);
  Picture work = TakeWorkingCopy();
  plan.changes->Apply({0, work.Height(), work.Row(0), static_cast<std::int64_t>(work.RowBytes())});
  target_.ReplacePicture(std::move(work));
  return std::move(plan.outcome);
}

TrueColorPlan PlanTrueColorEncrypt(int width, int height, PixelFormat format, std::string_view key,
                                   std::string_view text, std::size_t textLength,
                                   RandomSource& random) {
  TrueColorPlan plan;
  const SecretBytes symbols = BuildSymbolStream(key, text, TrueColorAlphabet);
  const PositionOrder order(width, height, TrueColorColumnStep, key);
  plan.outcome = CapacityOutcomeOf(order.Count(), symbols.size(), textLength, key.size());
  if (!plan.outcome.Succeeded()) return plan;
  random.SeedFromTime(key);
  plan.changes.emplace(width, height, format, order, key, symbols.View(), random.State());
  random.SetState(plan.changes->NoiseStateAfter());
  return plan;
}

Picture TEncryptor::TakeWorkingCopy() {
  if (!workInSource_) return source_;
  Picture work = std::move(source_);
  source_ = Picture();  // empty, not a size without pixels
  return work;
}

EngineOutcome TEncryptor::EncryptPalette() {
  {
    const SecretString original = SecretString::Adopt(textHolder_.Text());
    std::string reduced = ReduceText(original);
    textHolder_.ReplaceText(reduced);
    ScrubString(reduced);
  }
  const SecretBytes symbols =
      BuildSymbolStream(key_, SecretString::Adopt(textHolder_.Text()), PaletteAlphabet);
  const PositionOrder order(source_.Width(), source_.Height(), PaletteColumnStep, key_);
  EngineOutcome outcome = CapacityOutcome(order.Count(), symbols.size());
  if (!outcome.Succeeded()) return outcome;
  Picture work = TakeWorkingCopy();
  Palette palette = work.GetPalette();
  MakePaletteDistinct(palette, random_);
  work.SetPalette(palette);
  const PairTable pairs(palette);
  WritePalette(work, order, pairs, symbols.View());
  target_.ReplacePicture(std::move(work));
  return outcome;
}

EngineOutcome TEncryptor::Decrypt() {
  MarkUsed();
  return DecryptPixels(PixelView::Of(source_), std::move(key_));
}

}  // namespace hushlake
