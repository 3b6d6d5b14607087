// Decrypt's reading of the hidden symbols, for pixels wherever they lie.
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "stego/copied_position_bytes.h"
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
// positions are fetched in batches first, while the decoding (which
// advances the channel choice) stays in order. Loaded where they lie, the
// batch is short: those loads land all over a large picture and do not
// depend on each other, so the processor overlaps them. Copied through a
// reader, a batch is sorted by where its positions lie, so a larger one
// costs fewer reads per position; it starts small, since a wrong key stops
// at the separator after a few hundred positions, and grows fourfold up to
// a bound on the memory it takes. Fetching a little past the end marker only
// reads.
template <class Fill, class Decode>
class PositionReader {
 public:
  PositionReader(const PositionOrder& order, std::size_t firstBatch, std::size_t lastBatch,
                 Fill fill, Decode decode)
      : cursor_(order.Begin()),
        remaining_(order.Count()),
        batch_(firstBatch),
        lastBatch_(lastBatch),
        fill_(std::move(fill)),
        decode_(std::move(decode)) {}
  std::uint8_t operator()() {
    if (next_ == filled_) Refill();
    return decode_(fetched_[next_++]);
  }

 private:
  void Refill() {
    filled_ = static_cast<std::size_t>(std::min<std::int64_t>(remaining_, batch_));
    fetched_.resize(std::max(fetched_.size(), filled_));
    fill_(cursor_, std::span(fetched_.data(), filled_));
    remaining_ -= static_cast<std::int64_t>(filled_);
    next_ = 0;
    batch_ = std::min(batch_ * 4, lastBatch_);
  }

  PositionOrder::Cursor cursor_;
  std::int64_t remaining_;
  std::size_t batch_;
  std::size_t lastBatch_;
  Fill fill_;
  Decode decode_;
  std::vector<std::uint64_t> fetched_;
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

constexpr std::size_t LoadedBatch = 64;
constexpr std::size_t FirstCopiedBatch = 1024;
constexpr std::size_t LastCopiedBatch = std::size_t{1} << 20;  // 12 bytes a position

// Calls Read with a reader of the positions' bytes: Load(bytes of the
// position's column) where they lie, or copied, Width bytes from Lead bytes
// after the first byte of the position's column, the first lowest.
template <class Load, class Decode, class Read>
ReadOutcome WithPositionReader(const PixelView& pixels, const PositionOrder& order, int lead,
                               int width, Load load, Decode decode, Read read) {
  if (pixels.Reader() != nullptr) {
    const int columnBytes = pixels.Format() == PixelFormat::Indexed8 ? 1 : 3;
    CopiedPositionBytes copied(pixels, columnBytes, lead, width);
    return read(PositionReader(
        order, FirstCopiedBatch, LastCopiedBatch,
        [&](PositionOrder::Cursor& cursor, std::span<std::uint64_t> out) {
          copied.Fetch(cursor, out);
        },
        std::move(decode)));
  }
  const PositionBytes bytes(pixels);
  return read(PositionReader(
      order, LoadedBatch, LoadedBatch,
      [&](PositionOrder::Cursor& cursor, std::span<std::uint64_t> out) {
        for (std::uint64_t& fetched : out) {
          fetched = load(bytes.At(*cursor));
          ++cursor;
        }
      },
      std::move(decode)));
}

ReadOutcome ReadPaletteSymbols(const PixelView& pixels, const PositionOrder& order,
                               std::string_view key, SecretBytes& symbols) {
  const PairTable pairs(pixels.GetPalette());
  const auto decode = [&](std::uint64_t three) {
    const std::uint8_t around[3] = {static_cast<std::uint8_t>(three),
                                    static_cast<std::uint8_t>(three >> 8),
                                    static_cast<std::uint8_t>(three >> 16)};
    return ReadPaletteSymbol(around, 1, pairs);
  };
  // The pixels left of, at and right of the middle one.
  return WithPositionReader(pixels, order, -1, 3, FetchThree, decode, [&](auto&& reader) {
    return ReadSymbolStream(order.Count(), reader, key, PaletteAlphabet, symbols);
  });
}

ReadOutcome ReadTrueColorSymbols(const PixelView& pixels, const PositionOrder& order,
                                 std::string_view key, SecretBytes& symbols) {
  ChannelChooser chooser(key);
  const auto decode = [&](std::uint64_t six) { return ReadTrueColorSymbol(six, chooser.Next()); };
  return WithPositionReader(pixels, order, 0, 6, FetchSix, decode, [&](auto&& reader) {
    return ReadSymbolStream(order.Count(), reader, key, TrueColorAlphabet, symbols);
  });
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
