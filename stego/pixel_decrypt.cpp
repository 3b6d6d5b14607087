// Decrypt's reading of the hidden symbols, for pixels wherever they lie.
#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <span>
#include <utility>

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

// Loaded where they lie, a batch is short: those loads land all over a large
// picture and do not depend on each other, so the processor overlaps them.
constexpr std::size_t LoadedBatch = 64;

// Copied through the view's reader (see CopiedPositionBytes), a batch is
// sorted by where its positions lie, so a larger one costs fewer reads per
// position. Batches start small, since a wrong key stops at the separator
// after a few hundred positions, and double up to a bound on the memory
// they take. Once copying stops paying, positions are loaded.
constexpr std::size_t FirstCopiedBatch = 256;
constexpr std::size_t LastCopiedBatch = 8 * 1024;
constexpr std::size_t MaxBatch = std::max(LoadedBatch, LastCopiedBatch);

// Reads one symbol per call, in position order. The bytes of the next
// positions are fetched in batches first, while the decoding (which
// advances the channel choice) stays in order. Fetching a little past the
// end marker only reads.
template <class Fill, class Decode>
class PositionReader {
 public:
  PositionReader(const PositionOrder& order, Fill fill, Decode decode)
      : cursor_(order.Begin()),
        remaining_(order.Count()),
        fill_(std::move(fill)),
        decode_(std::move(decode)) {}
  std::uint8_t operator()() {
    if (next_ == filled_) Refill();
    return decode_(fetched_[next_++]);
  }

 private:
  void Refill() {
    filled_ = fill_(cursor_, remaining_, fetched_.get());
    remaining_ -= static_cast<std::int64_t>(filled_);
    next_ = 0;
  }

  PositionOrder::Cursor cursor_;
  std::int64_t remaining_;
  Fill fill_;
  Decode decode_;
  std::unique_ptr<std::uint64_t[]> fetched_ =
      std::make_unique_for_overwrite<std::uint64_t[]>(MaxBatch);
  std::size_t next_ = 0;
  std::size_t filled_ = 0;
};

template <class Fill, class Decode>
PositionReader<Fill, Decode> MakeReader(const PositionOrder& order, Fill fill, Decode decode) {
  return PositionReader<Fill, Decode>(order, std::move(fill), std::move(decode));
}

// Calls Read with a reader of the positions' bytes: Load(bytes of the
// position's column) where they lie, or copied, Width bytes from Lead bytes
// after the first byte of the position's column, the first lowest.
template <class Load, class Decode, class Read>
ReadOutcome WithPositionReader(const PixelView& pixels, const PositionOrder& order, int lead,
                               int width, Load load, Decode decode, Read read) {
  const PositionBytes bytes(pixels);
  const auto loadBatch = [&](PositionOrder::Cursor& cursor, std::int64_t remaining,
                             std::uint64_t* out) {
    const auto filled = static_cast<std::size_t>(
        std::min<std::int64_t>(remaining, static_cast<std::int64_t>(LoadedBatch)));
    // A local cursor: stores to Out cannot change it, so the loads overlap.
    PositionOrder::Cursor local = cursor;
    for (std::size_t i = 0; i < filled; ++i, ++local) out[i] = load(bytes.At(*local));
    cursor = local;
    return filled;
  };
  if (pixels.Reader() == nullptr || pixels.SpanBytes() > CopiedPositionBytes::MaxSpanBytes)
    return read(MakeReader(order, loadBatch, std::move(decode)));
  const int columnBytes = pixels.Format() == PixelFormat::Indexed8 ? 1 : 3;
  CopiedPositionBytes copied(pixels, columnBytes, lead, width, LastCopiedBatch);
  std::size_t batch = FirstCopiedBatch;
  bool copying = true;
  const auto copyBatch = [&](PositionOrder::Cursor& cursor, std::int64_t remaining,
                             std::uint64_t* out) {
    if (copying) {
      const auto filled = static_cast<std::size_t>(
          std::min<std::int64_t>(remaining, static_cast<std::int64_t>(batch)));
      if (copied.Fetch(cursor, std::span(out, filled))) {
        batch = std::min(2 * batch, LastCopiedBatch);
        return filled;
      }
      copying = false;
      // The rest of a long text's positions are loaded, most pages of the
      // picture among them: they are mapped in one go rather than faulted in
      // one by one.
      pixels.Reader()->WillLoad(pixels.Lowest(), static_cast<std::size_t>(pixels.SpanBytes()));
    }
    return loadBatch(cursor, remaining, out);
  };
  return read(MakeReader(order, copyBatch, std::move(decode)));
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
  return WithPositionReader(
      pixels, order, -1, 3, [](const std::uint8_t* middle) { return FetchThree(middle); }, decode,
      [&](auto&& reader) {
        return ReadSymbolStream(order.Count(), reader, key, PaletteAlphabet, symbols);
      });
}

ReadOutcome ReadTrueColorSymbols(const PixelView& pixels, const PositionOrder& order,
                                 std::string_view key, SecretBytes& symbols) {
  ChannelChooser chooser(key);
  const auto decode = [&](std::uint64_t six) { return ReadTrueColorSymbol(six, chooser.Next()); };
  return WithPositionReader(
      pixels, order, 0, 6, [](const std::uint8_t* first) { return FetchSix(first); }, decode,
      [&](auto&& reader) {
        return ReadSymbolStream(order.Count(), reader, key, TrueColorAlphabet, symbols,
                                WrongKeyStop::AtFirstWrongSymbol);
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
