// Decrypt's reading of the hidden symbols, for pixels wherever they lie.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include "stego/encryptor.h"
#include "stego/palette_coding.h"
#include "stego/position_order.h"
#include "stego/symbol_stream.h"
#include "stego/truecolor_coding.h"

namespace hushlake {

namespace {

constexpr int PaletteColumnStep = 3;
constexpr int TrueColorColumnStep = 2;

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

// The bytes of a position. 32-bit rows are addressed as 24-bit ones (three
// bytes per column), as the writer addresses them. Positions keep a column
// step from either edge (see PositionOrder), so neither fetch leaves its row:
// at most byte 3 * (Width - 2) + 5 of a true colour row, pixel Width - 2 of
// a palette row.
class PositionBytes {
 public:
  explicit PositionBytes(const PixelView& pixels)
      : pixels_(pixels), columnBytes_(pixels.Format() == PixelFormat::Indexed8 ? 1 : 3) {}
  // 24/32-bit: the first of the six bytes at 3x; 8-bit: the middle pixel.
  const std::uint8_t* At(PixelPosition p) const {
    return pixels_.Row(p.row) + columnBytes_ * p.column;
  }

 private:
  const PixelView& pixels_;
  std::int64_t columnBytes_;
};

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

ReadOutcome ReadPaletteSymbols(const PixelView& pixels, const PositionOrder& order,
                               std::string_view key, SecretBytes& symbols) {
  const PositionBytes bytes(pixels);
  const PairTable pairs(pixels.GetPalette());
  auto reader = MakeReader(
      order, [&](PixelPosition p) { return FetchThree(bytes.At(p)); },
      [&](std::uint64_t three) {
        const std::uint8_t around[3] = {static_cast<std::uint8_t>(three),
                                        static_cast<std::uint8_t>(three >> 8),
                                        static_cast<std::uint8_t>(three >> 16)};
        return ReadPaletteSymbol(around, 1, pairs);
      });
  return ReadSymbolStream(order.Count(), reader, key, PaletteAlphabet, symbols);
}

ReadOutcome ReadTrueColorSymbols(const PixelView& pixels, const PositionOrder& order,
                                 std::string_view key, SecretBytes& symbols) {
  const PositionBytes bytes(pixels);
  ChannelChooser chooser(key);
  auto reader = MakeReader(
      order, [&](PixelPosition p) { return FetchSix(bytes.At(p)); },
      [&](std::uint64_t six) { return ReadTrueColorSymbol(six, chooser.Next()); });
  return ReadSymbolStream(order.Count(), reader, key, TrueColorAlphabet, symbols);
}

bool IsKnownFormat(PixelFormat format) {
  return format == PixelFormat::Indexed8 || format == PixelFormat::Bgr24 ||
         format == PixelFormat::Bgrx32;
}

}  // namespace

EngineOutcome DecryptPixels(const PixelView& source, SecretString key) {
  EngineOutcome outcome;
  if (!IsKnownFormat(source.Format())) {
    outcome.status = EngineStatus::UnsupportedDepth;
    return outcome;
  }
  const PixelView pixels = source.EvenSized();
  const bool palette = pixels.Format() == PixelFormat::Indexed8;
  // Both sides lower-case the key, so the positions (which depend on its
  // codes) and the key check agree however the caller spelled it.
  if (palette) LowerCaseAnsiInPlace(std::span(key.data(), key.size()));
  const SymbolAlphabet& alphabet = palette ? PaletteAlphabet : TrueColorAlphabet;
  const PositionOrder order(pixels.Width(), pixels.Height(),
                            palette ? PaletteColumnStep : TrueColorColumnStep, key);
  outcome.positionsAvailable = order.Count();
  // Nothing to read: the outcome of reading nothing.
  if (order.Count() == 0) {
    outcome.status = EngineStatus::NothingFound;
    return outcome;
  }
  SecretBytes symbols;
  const ReadOutcome read = palette ? ReadPaletteSymbols(pixels, order, key, symbols)
                                   : ReadTrueColorSymbols(pixels, order, key, symbols);
  if (read == ReadOutcome::KeyRejected) {
    outcome.status = EngineStatus::KeyRejected;
    return outcome;
  }
  const SecretString extracted = DecodeSymbols(symbols.View().first(symbols.size() - 1), alphabet);
  std::optional<SecretString> hidden = SplitHiddenText(extracted, key, alphabet.decodedSeparator);
  if (hidden)
    outcome.text = std::move(*hidden);
  else
    outcome.status = EngineStatus::NothingFound;
  return outcome;
}

}  // namespace hushlake
