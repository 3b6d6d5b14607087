#include "stego/encryptor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <stdexcept>
#include <utility>

#include "crypto/secure_wipe.h"
#include "stego/noise_pass.h"
#include "stego/palette_coding.h"
#include "stego/position_order.h"
#include "stego/random_source.h"
#include "stego/symbol_stream.h"
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

// The six bytes at Bytes, the first one lowest.
std::uint64_t FetchSix(const std::uint8_t* bytes) {
  std::uint32_t low;
  std::uint16_t high;
  std::memcpy(&low, bytes, 4);
  std::memcpy(&high, bytes + 4, 2);
  return low | std::uint64_t{high} << 32;
}

// The pixels left of, at and right of Middle, the left one lowest.
std::uint64_t FetchThree(const std::uint8_t* middle) {
  std::uint16_t low;
  std::memcpy(&low, middle - 1, 2);
  return low | std::uint64_t{middle[1]} << 16;
}

// The bytes of a picture by position, with the row length looked up once.
template <class Byte>
class RowBytes {
 public:
  template <class AnyPicture>
  explicit RowBytes(AnyPicture& picture)
      : base_(picture.Pixels().data()),
        rowBytes_(static_cast<std::int64_t>(picture.RowBytes())),
        columnBytes_(picture.Format() == PixelFormat::Indexed8 ? 1 : 3) {}
  // 24/32-bit: the first of the six bytes at 3x; 8-bit: the middle pixel.
  Byte* At(PixelPosition p) const { return Row(p) + columnBytes_ * p.column; }
  Byte* Row(PixelPosition p) const { return base_ + p.row * rowBytes_; }

 private:
  Byte* base_;
  std::int64_t rowBytes_;
  std::int64_t columnBytes_;
};

void WriteTrueColor(Picture& picture, const PositionOrder& order, std::string_view key,
                    std::span<const std::uint8_t> symbols) {
  const RowBytes<std::uint8_t> bytes(picture);
  ChannelChooser chooser(key);
  PositionOrder::Cursor cursor = order.Begin();
  for (std::uint8_t symbol : symbols) {
    WriteTrueColorSymbol(bytes.At(*cursor), chooser.Next(), symbol);
    ++cursor;
  }
}

void WritePalette(Picture& picture, const PositionOrder& order, const PairTable& pairs,
                  std::span<const std::uint8_t> symbols) {
  const RowBytes<std::uint8_t> bytes(picture);
  PositionOrder::Cursor cursor = order.Begin();
  for (std::uint8_t symbol : symbols) {
    const PixelPosition position = *cursor;
    WritePaletteSymbol(bytes.Row(position), position.column, pairs, symbol);
    ++cursor;
  }
}

// Reads one symbol per call, in position order. The bytes of the next
// positions are fetched in batches first: those loads land all over a large
// picture and do not depend on each other, so the processor overlaps them,
// while the decoding (which advances the channel choice) stays in order.
// Fetching a little past the end marker only reads.
template <class Fetch, class Decode>
class PositionReader {
 public:
  PositionReader(const PositionOrder& order, Fetch fetch, Decode decode)
      : cursor_(order.Begin()),
        remaining_(order.Count()),
        fetch_(std::move(fetch)),
        decode_(std::move(decode)) {}
  std::uint8_t operator()() {
    if (next_ == filled_) Refill();
    return decode_(fetched_[next_++]);
  }

 private:
  static constexpr std::size_t Batch = 64;
  void Refill() {
    filled_ = static_cast<std::size_t>(std::min<std::int64_t>(remaining_, Batch));
    PositionOrder::Cursor cursor = cursor_;
    for (std::size_t i = 0; i < filled_; ++i, ++cursor) fetched_[i] = fetch_(*cursor);
    cursor_ = cursor;
    remaining_ -= static_cast<std::int64_t>(filled_);
    next_ = 0;
  }

  PositionOrder::Cursor cursor_;
  std::int64_t remaining_;
  Fetch fetch_;
  Decode decode_;
  std::array<std::uint64_t, Batch> fetched_{};
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

template <class Fetch, class Decode>
PositionReader<Fetch, Decode> MakeReader(const PositionOrder& order, Fetch fetch, Decode decode) {
  return PositionReader<Fetch, Decode>(order, std::move(fetch), std::move(decode));
}

}  // namespace

TEncryptor::TEncryptor(Picture& source, PictureHolder& target, SecretString key,
                       TextHolder& textHolder, RandomSource& random)
    : source_(source),
      target_(target),
      textHolder_(textHolder),
      random_(random),
      key_(std::move(key)),
      keyLength_(static_cast<std::int64_t>(key_.size())) {
  source_.TrimToEvenSize();
}

bool TEncryptor::StartRun(Coding& coding) {
  if (used_) throw std::logic_error("TEncryptor serves one Encrypt or one Decrypt");
  used_ = true;
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
  EngineOutcome outcome;
  outcome.positionsAvailable = positions;
  outcome.symbolsNeeded = static_cast<std::int64_t>(textLength_) + keyLength_ + 5;
  // The stream comes from the text holder; should it hold more than the text
  // the caller announced, the stream itself must still fit.
  const bool fits =
      positions >= outcome.symbolsNeeded && static_cast<std::uint64_t>(positions) >= streamLength;
  if (!fits) outcome.status = EngineStatus::TextTooLong;
  return outcome;
}

EngineOutcome TEncryptor::Encrypt() {
  Coding coding{};
  if (!StartRun(coding)) return OutcomeOf(EngineStatus::UnsupportedDepth);
  return coding == Coding::Indexed ? EncryptPalette() : EncryptTrueColor();
}

// The capacity check comes before the working copy is made and changed: a
// refused text then costs no copy, and nothing of the outcome differs.
EngineOutcome TEncryptor::EncryptTrueColor() {
  const SecretBytes symbols =
      BuildSymbolStream(key_, SecretString::Adopt(textHolder_.Text()), TrueColorAlphabet);
  const PositionOrder order(source_.Width(), source_.Height(), TrueColorColumnStep, key_);
  EngineOutcome outcome = CapacityOutcome(order.Count(), symbols.size());
  if (!outcome.Succeeded()) return outcome;
  Picture work = TakeWorkingCopy();
  random_.SeedFromTime(key_);
  AddNoise(work, random_);
  WriteTrueColor(work, order, key_, symbols.View());
  target_.ReplacePicture(std::move(work));
  return outcome;
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
  Coding coding{};
  if (!StartRun(coding)) return OutcomeOf(EngineStatus::UnsupportedDepth);
  return DecryptWith(coding);
}

EngineOutcome TEncryptor::DecryptWith(Coding coding) {
  const bool palette = coding == Coding::Indexed;
  const SymbolAlphabet& alphabet = palette ? PaletteAlphabet : TrueColorAlphabet;
  const PositionOrder order(source_.Width(), source_.Height(),
                            palette ? PaletteColumnStep : TrueColorColumnStep, key_);
  EngineOutcome outcome;
  outcome.positionsAvailable = order.Count();
  // Nothing to read: the outcome of reading nothing.
  if (order.Count() == 0) return OutcomeOf(EngineStatus::NothingFound);
  SecretBytes symbols;
  ReadOutcome read{};
  const Picture& picture = source_;
  const RowBytes<const std::uint8_t> bytes(picture);
  if (palette) {
    const PairTable pairs(picture.GetPalette());
    auto reader = MakeReader(
        order, [&](PixelPosition p) { return FetchThree(bytes.At(p)); },
        [&](std::uint64_t three) {
          const std::uint8_t pixels[3] = {static_cast<std::uint8_t>(three),
                                          static_cast<std::uint8_t>(three >> 8),
                                          static_cast<std::uint8_t>(three >> 16)};
          return ReadPaletteSymbol(pixels, 1, pairs);
        });
    read = ReadSymbolStream(order.Count(), reader, key_, alphabet, symbols);
  } else {
    ChannelChooser chooser(key_);
    auto reader = MakeReader(
        order, [&](PixelPosition p) { return FetchSix(bytes.At(p)); },
        [&](std::uint64_t six) { return ReadTrueColorSymbol(six, chooser.Next()); });
    read = ReadSymbolStream(order.Count(), reader, key_, alphabet, symbols);
  }
  if (read == ReadOutcome::KeyRejected) {
    outcome.status = EngineStatus::KeyRejected;
    return outcome;
  }
  const SecretString extracted = DecodeSymbols(symbols.View().first(symbols.size() - 1), alphabet);
  std::optional<SecretString> hidden = SplitHiddenText(extracted, key_, alphabet.decodedSeparator);
  if (hidden)
    outcome.text = std::move(*hidden);
  else
    outcome.status = EngineStatus::NothingFound;
  return outcome;
}

}  // namespace hushlake
