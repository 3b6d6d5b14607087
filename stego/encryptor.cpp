#include "stego/encryptor.h"

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
// How many positions ahead Decrypt asks for the picture bytes it will read.
constexpr std::int64_t PrefetchDistance = 16;

// Symbols hold the key; they are scrubbed however the run ends.
class ScrubbedSymbols {
 public:
  ScrubbedSymbols() = default;
  explicit ScrubbedSymbols(std::vector<std::uint8_t> symbols) : symbols_(std::move(symbols)) {}
  ScrubbedSymbols(const ScrubbedSymbols&) = delete;
  ScrubbedSymbols& operator=(const ScrubbedSymbols&) = delete;
  ~ScrubbedSymbols() { ScrubBytes(symbols_.data(), symbols_.capacity()); }
  std::vector<std::uint8_t>& operator*() { return symbols_; }
  std::vector<std::uint8_t>* operator->() { return &symbols_; }

 private:
  std::vector<std::uint8_t> symbols_;
};

class ScrubbedString {
 public:
  explicit ScrubbedString(std::string text) : text_(std::move(text)) {}
  ScrubbedString(const ScrubbedString&) = delete;
  ScrubbedString& operator=(const ScrubbedString&) = delete;
  ~ScrubbedString() { ScrubString(text_); }
  const std::string& operator*() const { return text_; }

 private:
  std::string text_;
};

std::uint8_t* SixBytesAt(Picture& picture, PixelPosition position) {
  return picture.Row(static_cast<int>(position.row)) + 3 * position.column;
}
const std::uint8_t* SixBytesAt(const Picture& picture, PixelPosition position) {
  return picture.Row(static_cast<int>(position.row)) + 3 * position.column;
}

void WriteTrueColor(Picture& picture, const PositionOrder& order, std::string_view key,
                    std::span<const std::uint8_t> symbols) {
  ChannelChooser chooser(key);
  PositionOrder::Cursor cursor = order.Begin();
  for (std::uint8_t symbol : symbols) {
    WriteTrueColorSymbol(SixBytesAt(picture, *cursor), chooser.Next(), symbol);
    ++cursor;
  }
}

void WritePalette(Picture& picture, const PositionOrder& order, const PairTable& pairs,
                  std::span<const std::uint8_t> symbols) {
  PositionOrder::Cursor cursor = order.Begin();
  for (std::uint8_t symbol : symbols) {
    const PixelPosition position = *cursor;
    WritePaletteSymbol(picture.Row(static_cast<int>(position.row)), position.column, pairs,
                       symbol);
    ++cursor;
  }
}

// Reads one symbol per call, in position order, while asking ahead for the
// bytes of a later position: the reads land all over a large picture.
template <class ReadAt>
class PositionReader {
 public:
  PositionReader(const PositionOrder& order, const Picture& picture, ReadAt readAt)
      : cursor_(order.Begin()), ahead_(order.Begin(PrefetchDistance)), picture_(picture),
        readAt_(std::move(readAt)) {}
  std::uint8_t operator()() {
    __builtin_prefetch(SixBytesAt(picture_, *ahead_));
    ++ahead_;
    const std::uint8_t symbol = readAt_(*cursor_);
    ++cursor_;
    return symbol;
  }

 private:
  PositionOrder::Cursor cursor_;
  PositionOrder::Cursor ahead_;
  const Picture& picture_;
  ReadAt readAt_;
};

}  // namespace

TEncryptor::TEncryptor(Picture& source, PictureHolder& target, std::string key,
                       TextHolder& textHolder, MessageSink& messages)
    : source_(source), target_(target), textHolder_(textHolder), messages_(messages),
      key_(std::move(key)), keyLength_(static_cast<std::int64_t>(key_.size())) {
  source_.TrimToEvenSize();
}

TEncryptor::~TEncryptor() { ScrubString(key_); }

bool TEncryptor::StartRun(Coding& coding) {
  if (used_) throw std::logic_error("TEncryptor serves one Encrypt or one Decrypt");
  used_ = true;
  switch (source_.Format()) {
    case PixelFormat::Indexed8:
      coding = Coding::Indexed;
      // Both sides lower-case the key, so the positions (which depend on its
      // codes) and the key check agree however the caller spelled it.
      key_ = LowerCaseAnsi(key_);
      return true;
    case PixelFormat::Bgr24:
    case PixelFormat::Bgrx32:
      coding = Coding::TrueColor;
      return true;
  }
  messages_.ShowError(PixelDepthMessage);
  return false;
}

bool TEncryptor::RefusedForCapacity(std::int64_t positions, std::size_t streamLength) {
  const auto needed = static_cast<std::int64_t>(text_.size()) + keyLength_ + 5;
  // The stream comes from the text holder; should it hold more than the text
  // given to SetText, the stream itself must still fit.
  if (positions >= needed && static_cast<std::uint64_t>(positions) >= streamLength) return false;
  messages_.ShowError(CapacityMessage);
  failed_ = true;
  return true;
}

void TEncryptor::Encrypt() {
  Coding coding{};
  if (!StartRun(coding)) return;
  if (coding == Coding::Indexed)
    EncryptPalette();
  else
    EncryptTrueColor();
}

// The capacity check comes before the working copy is made and changed: a
// refused text then costs no copy, and nothing of the outcome differs.
void TEncryptor::EncryptTrueColor() {
  ScrubbedSymbols symbols(BuildSymbolStream(key_, textHolder_.Text(), TrueColorAlphabet));
  const PositionOrder order(source_.Width(), source_.Height(), TrueColorColumnStep, key_);
  if (RefusedForCapacity(order.Count(), symbols->size())) return;
  Picture work = source_;
  SeedFromTime(key_);
  AddNoise(work);
  WriteTrueColor(work, order, key_, *symbols);
  target_.ReplacePicture(std::move(work));
}

void TEncryptor::EncryptPalette() {
  textHolder_.ReplaceText(ReduceText(textHolder_.Text()));
  ScrubbedSymbols symbols(BuildSymbolStream(key_, textHolder_.Text(), PaletteAlphabet));
  const PositionOrder order(source_.Width(), source_.Height(), PaletteColumnStep, key_);
  if (RefusedForCapacity(order.Count(), symbols->size())) return;
  Picture work = source_;
  Palette palette = work.GetPalette();
  MakePaletteDistinct(palette);
  work.SetPalette(palette);
  const PairTable pairs(palette);
  WritePalette(work, order, pairs, *symbols);
  target_.ReplacePicture(std::move(work));
}

void TEncryptor::Decrypt() {
  Coding coding{};
  if (StartRun(coding)) DecryptWith(coding);
}

void TEncryptor::DecryptWith(Coding coding) {
  const bool palette = coding == Coding::Indexed;
  const SymbolAlphabet& alphabet = palette ? PaletteAlphabet : TrueColorAlphabet;
  const PositionOrder order(source_.Width(), source_.Height(),
                            palette ? PaletteColumnStep : TrueColorColumnStep, key_);
  if (order.Count() == 0) {  // nothing to read: the outcome of reading nothing
    messages_.ShowError(FinalCheckMessage);
    return;
  }
  ScrubbedSymbols symbols;
  ReadOutcome outcome{};
  if (palette) {
    const PairTable pairs(source_.GetPalette());
    PositionReader reader(order, source_, [&](PixelPosition p) {
      return ReadPaletteSymbol(source_.Row(static_cast<int>(p.row)), p.column, pairs);
    });
    outcome = ReadSymbolStream(order.Count(), reader, key_, alphabet, *symbols);
  } else {
    ChannelChooser chooser(key_);
    PositionReader reader(order, source_, [&](PixelPosition p) {
      return ReadTrueColorSymbol(SixBytesAt(source_, p), chooser.Next());
    });
    outcome = ReadSymbolStream(order.Count(), reader, key_, alphabet, *symbols);
  }
  if (outcome == ReadOutcome::KeyRejected) {
    messages_.ShowError(palette ? PaletteKeyMessage : TrueColorKeyMessage);
    return;
  }
  const ScrubbedString extracted(
      DecodeSymbols(std::span(*symbols).first(symbols->size() - 1), alphabet));
  std::optional<std::string> hidden = SplitHiddenText(*extracted, key_, alphabet.decodedSeparator);
  if (hidden)
    resultText_ = std::move(*hidden);
  else
    messages_.ShowError(FinalCheckMessage);
}

}  // namespace hushlake
