#include "stego/sealed/sealed_picture.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <span>
#include <stdexcept>
#include <vector>

#include "stego/sealed/element_order.h"
#include "stego/sealed/hill_cost.h"
#include "stego/sealed/trellis_code.h"

namespace hushlake::sealed {
namespace {

constexpr std::uint64_t kOrderSubkey = 1;
constexpr std::uint64_t kHeaderSubkey = 2;
constexpr std::uint64_t kPayloadSubkey = 3;
constexpr std::string_view kSaltOrderText = "hushlake sealed pictures 1 salt order";

bool TrueColour(const Picture& picture) { return picture.Format() != PixelFormat::Indexed8; }

std::uint64_t ColourBytes(const Picture& picture) {
  return static_cast<std::uint64_t>(picture.Width()) * picture.Height() * 3;
}

// Where colour byte `element` (row * 3 * width + column) lives in the pixels.
std::size_t ByteOffset(const Picture& picture, std::uint64_t element) {
  const std::uint64_t rowElements = static_cast<std::uint64_t>(picture.Width()) * 3;
  const std::uint64_t row = element / rowElements;
  const std::uint64_t column = element % rowElements;
  return static_cast<std::size_t>(row * picture.RowBytes() +
                                  (column / 3) * picture.BytesPerPixel() + column % 3);
}

std::uint64_t PayloadRoom(std::uint64_t colourBytes) {
  return colourBytes > kFixedElements ? colourBytes - kFixedElements : 0;
}

// Elements per payload bit for a sealed payload of `sealedBytes` bytes; 0 when it does not fit.
std::uint64_t PayloadWidth(std::uint64_t colourBytes, std::uint64_t sealedBytes) {
  const std::uint64_t bits = sealedBytes * 8;
  if (bits == 0) return 0;
  const std::uint64_t width =
      std::min<std::uint64_t>(PayloadRoom(colourBytes) / bits, kMaxPayloadWidth);
  return width >= kMinPayloadWidth ? width : 0;
}

std::vector<std::uint8_t> BitsOf(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> bits(bytes.size() * 8);
  for (std::size_t i = 0; i < bits.size(); ++i) bits[i] = (bytes[i / 8] >> (i % 8)) & 1u;
  return bits;
}

std::vector<std::uint8_t> BytesOf(std::span<const std::uint8_t> bits) {
  std::vector<std::uint8_t> bytes(bits.size() / 8, 0);
  for (std::size_t i = 0; i < bytes.size() * 8; ++i) {
    bytes[i / 8] = static_cast<std::uint8_t>(bytes[i / 8] | (bits[i] & 1u) << (i % 8));
  }
  return bytes;
}

// The elements the stages use, in the order they carry bits.
struct Layout {
  std::vector<std::uint64_t> salt;
  std::vector<std::uint64_t> keyed;  // the header's, then the payload's
};

std::vector<std::uint64_t> SaltElements(const Picture& picture) {
  const ElementOrder order(PublicKeyFromText(kSaltOrderText),
                           static_cast<std::uint32_t>(picture.Height()),
                           static_cast<std::uint32_t>(picture.Width()) * 3);
  std::vector<std::uint64_t> elements(kSaltElements);
  for (std::size_t k = 0; k < kSaltElements; ++k) elements[k] = order.At(k);
  return elements;
}

// The first `count` elements of the keyed order that are not salt elements.
std::vector<std::uint64_t> KeyedElements(const Picture& picture, const SecretBytes& orderKey,
                                         std::span<const std::uint64_t> salt, std::uint64_t count) {
  const ElementOrder order(orderKey, static_cast<std::uint32_t>(picture.Height()),
                           static_cast<std::uint32_t>(picture.Width()) * 3);
  std::vector<bool> isSalt(order.Size(), false);
  for (std::uint64_t element : salt) isSalt[element] = true;
  std::vector<std::uint64_t> elements;
  elements.reserve(count);
  for (std::uint64_t k = 0; elements.size() < count && k < order.Size(); ++k) {
    const std::uint64_t element = order.At(k);
    if (!isSalt[element]) elements.push_back(element);
  }
  return elements;
}

std::vector<std::uint8_t> LowBits(const Picture& picture, std::span<const std::uint64_t> elements) {
  const auto pixels = picture.Pixels();
  std::vector<std::uint8_t> bits(elements.size());
  for (std::size_t i = 0; i < elements.size(); ++i) {
    bits[i] = pixels[ByteOffset(picture, elements[i])] & 1u;
  }
  return bits;
}

// The bits a run of elements carries: `chunks` of at most kChunkBits message bits, each read
// through its own trellis of `width` columns per bit.
std::vector<std::uint8_t> ReadRun(const std::vector<std::uint8_t>& bits, std::size_t messageBits,
                                  std::size_t width) {
  const auto columns = TrellisColumns(kTrellisHeight, static_cast<int>(width));
  std::vector<std::uint8_t> message;
  message.reserve(messageBits);
  for (std::size_t first = 0; first < messageBits; first += kChunkBits) {
    const std::size_t count = std::min(kChunkBits, messageBits - first);
    const auto part = TrellisSyndrome(std::span(bits).subspan(first * width, count * width), count,
                                      columns, kTrellisHeight);
    message.insert(message.end(), part.begin(), part.end());
  }
  return message;
}

// HILL costs of the given elements, one colour plane at a time and a few rows at a time.
std::vector<float> CostsOf(const Picture& picture, std::span<const std::uint64_t> elements) {
  const int width = picture.Width();
  const int bytesPerPixel = picture.BytesPerPixel();
  const std::uint64_t rowElements = static_cast<std::uint64_t>(width) * 3;
  // The elements' places, sorted by where they lie in the picture.
  std::vector<std::uint32_t> byPlace(elements.size());
  std::iota(byPlace.begin(), byPlace.end(), 0u);
  std::sort(byPlace.begin(), byPlace.end(),
            [&](std::uint32_t a, std::uint32_t b) { return elements[a] < elements[b]; });
  std::vector<float> costs(elements.size());
  for (int channel = 0; channel < 3; ++channel) {
    std::size_t next = 0;
    HillCostRows(
        width, picture.Height(),
        [&](int y, float* out) {
          const std::uint8_t* row = picture.Row(y);
          for (int x = 0; x < width; ++x) out[x] = row[x * bytesPerPixel + channel];
        },
        [&](int y, const HillRow& rowCosts) {
          const std::uint64_t end = static_cast<std::uint64_t>(y + 1) * rowElements;
          for (; next < byPlace.size() && elements[byPlace[next]] < end; ++next) {
            const std::uint64_t column = elements[byPlace[next]] % rowElements;
            if (static_cast<int>(column % 3) == channel)
              costs[byPlace[next]] = rowCosts.At(static_cast<int>(column / 3));
          }
        });
  }
  return costs;
}

// Embeds `message` in the run of elements and makes the changes: each flipped low bit is a
// change by one, up or down at random, never out of 0..255.
bool WriteRun(Picture& picture, std::span<const std::uint64_t> elements,
              std::span<const float> costs, const std::vector<std::uint8_t>& message,
              std::size_t width, KeyStream& directions) {
  const auto columns = TrellisColumns(kTrellisHeight, static_cast<int>(width));
  const auto cover = LowBits(picture, elements);
  auto pixels = picture.Pixels();
  for (std::size_t first = 0; first < message.size(); first += kChunkBits) {
    const std::size_t count = std::min(kChunkBits, message.size() - first);
    const std::size_t from = first * width;
    const auto result = TrellisEmbed(
        std::span(cover).subspan(from, count * width), costs.subspan(from, count * width),
        std::span(message).subspan(first, count), columns, kTrellisHeight);
    if (!result) return false;
    for (std::size_t i = 0; i < result->bits.size(); ++i) {
      if (result->bits[i] == cover[from + i]) continue;
      std::uint8_t& value = pixels[ByteOffset(picture, elements[from + i])];
      const bool up = value == 0 || (value != 255 && (directions.NextWord() & 1u));
      value = static_cast<std::uint8_t>(up ? value + 1 : value - 1);
    }
  }
  return true;
}

// BLAKE2b of every pixel byte that carries nothing: the colour bytes outside
// the salt, header and payload runs, and every fourth byte, row by row from
// the top. The payload's tag covers it, so a change anywhere in the pixels is
// refused, not only a change to the carried bits.
std::array<std::uint8_t, 32> RestDigest(const Picture& picture, std::span<const std::uint64_t> salt,
                                        std::span<const std::uint64_t> keyed) {
  std::vector<bool> used(ColourBytes(picture), false);
  for (std::uint64_t element : salt) used[element] = true;
  for (std::uint64_t element : keyed) used[element] = true;
  Blake2b hash;
  std::array<std::uint8_t, 65536> buffer{};
  std::size_t filled = 0;
  const int bytesPerPixel = picture.BytesPerPixel();
  std::uint64_t element = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x) {
      for (int b = 0; b < bytesPerPixel; ++b) {
        if (b < 3 && used[element++]) continue;
        buffer[filled++] = row[x * bytesPerPixel + b];
        if (filled == buffer.size()) {
          hash.Update(buffer);
          filled = 0;
        }
      }
    }
  }
  hash.Update(std::span(buffer).first(filled));
  return hash.Final();
}

struct Keys {
  SecretBytes order;
  SecretBytes header;
  SecretBytes payload;
};

Keys DeriveKeys(std::string_view passphrase, std::span<const std::uint8_t, kSaltBytes> salt,
                const KeyStretcher& stretcher) {
  const SecretBytes master = stretcher.Stretch(passphrase, salt);
  return {DeriveSubkey(master, kOrderSubkey), DeriveSubkey(master, kHeaderSubkey),
          DeriveSubkey(master, kPayloadSubkey)};
}

constexpr std::array<std::uint8_t, kNonceBytes> kZeroNonce{};

}  // namespace

SealedCapacity CapacityOf(const Picture& picture) {
  SealedCapacity capacity;
  if (!TrueColour(picture)) return capacity;
  capacity.colourBytes = ColourBytes(picture);
  const auto fit = [](std::uint64_t sealedBytes) {
    return sealedBytes > kTagBytes ? sealedBytes - kTagBytes : 0;
  };
  const std::uint64_t largestSealed = PayloadRoom(capacity.colourBytes) / (8 * kMinPayloadWidth);
  capacity.largestBytes = fit(largestSealed);
  capacity.safeBytes =
      std::min(capacity.largestBytes, fit(capacity.colourBytes / kSafeElementsPerBit / 8));
  return capacity;
}

SealOutcome SealIntoPicture(Picture& picture, const SealedContent& content,
                            std::string_view passphrase, const KeyStretcher& stretcher) {
  if (!TrueColour(picture)) return {SealedStatus::NotTrueColour, {}, 0, false};
  return SealPackedIntoPicture(picture, PackContent(content), passphrase, stretcher);
}

SealOutcome SealPackedIntoPicture(Picture& picture, const SecretBytes& packed,
                                  std::string_view passphrase, const KeyStretcher& stretcher) {
  SealOutcome outcome;
  if (!TrueColour(picture)) {
    outcome.status = SealedStatus::NotTrueColour;
    return outcome;
  }
  outcome.capacity = CapacityOf(picture);
  outcome.packedBytes = packed.size();
  const std::uint64_t colourBytes = outcome.capacity.colourBytes;
  const std::uint64_t sealedBytes = packed.size() + kTagBytes;
  const std::uint64_t width = PayloadWidth(colourBytes, sealedBytes);
  if (packed.size() > outcome.capacity.largestBytes || width == 0) {
    outcome.status = SealedStatus::TooLarge;
    return outcome;
  }
  outcome.aboveSafe = packed.size() > outcome.capacity.safeBytes;

  std::array<std::uint8_t, kSaltBytes> salt{};
  FillRandom(salt);
  const Keys keys = DeriveKeys(passphrase, salt, stretcher);

  const std::uint64_t payloadBits = sealedBytes * 8;
  const std::vector<std::uint64_t> saltElements = SaltElements(picture);
  const std::vector<std::uint64_t> keyed =
      KeyedElements(picture, keys.order, saltElements, kHeaderElements + payloadBits * width);

  std::array<std::uint8_t, 4> length{};
  for (int i = 0; i < 4; ++i) length[i] = static_cast<std::uint8_t>(sealedBytes >> (8 * i));
  const auto header = Seal(keys.header, kZeroNonce, length);
  const auto rest = RestDigest(picture, saltElements, keyed);
  const auto payload = Seal(keys.payload, kZeroNonce, packed.View(), rest);

  SecretBytes directionKey;
  directionKey.Value().resize(kKeyBytes);
  FillRandom(directionKey.Value());
  KeyStream directions(directionKey, kZeroNonce);

  // The costs come from the untouched cover for every stage.
  const std::vector<float> saltCosts = CostsOf(picture, saltElements);
  const std::vector<float> keyedCosts = CostsOf(picture, keyed);
  const std::span<const std::uint64_t> keyedSpan(keyed);
  const std::span<const float> keyedCostSpan(keyedCosts);
  const bool written =
      WriteRun(picture, saltElements, saltCosts, BitsOf(salt), kSaltWidth, directions) &&
      WriteRun(picture, keyedSpan.first(kHeaderElements), keyedCostSpan.first(kHeaderElements),
               BitsOf(header), kHeaderWidth, directions) &&
      WriteRun(picture, keyedSpan.subspan(kHeaderElements), keyedCostSpan.subspan(kHeaderElements),
               BitsOf(payload), width, directions);
  // Every cost is finite and every column word has its lowest bit set, so each block can reach
  // its message bit by itself: a trellis never runs out of ways.
  if (!written) throw std::logic_error("sealed picture: the trellis found no way");
  return outcome;
}

OpenOutcome OpenFromPicture(const Picture& picture, std::string_view passphrase,
                            const KeyStretcher& stretcher) {
  OpenOutcome outcome;
  if (!TrueColour(picture)) {
    outcome.status = SealedStatus::NotTrueColour;
    return outcome;
  }
  const std::uint64_t colourBytes = ColourBytes(picture);
  // Too small for the smallest sealed content: nothing to read, and no key to spend time on.
  if (PayloadRoom(colourBytes) < (kTagBytes + 1) * 8 * kMinPayloadWidth) return outcome;

  const std::vector<std::uint64_t> saltElements = SaltElements(picture);
  const auto saltBytes = BytesOf(ReadRun(LowBits(picture, saltElements), kSaltBits, kSaltWidth));
  std::array<std::uint8_t, kSaltBytes> salt{};
  std::copy(saltBytes.begin(), saltBytes.end(), salt.begin());
  const Keys keys = DeriveKeys(passphrase, salt, stretcher);

  const auto headerElements = KeyedElements(picture, keys.order, saltElements, kHeaderElements);
  const auto header = BytesOf(ReadRun(LowBits(picture, headerElements), kHeaderBits, kHeaderWidth));
  const auto length = Open(keys.header, kZeroNonce, header);
  if (!length || length->size() != 4) return outcome;
  std::uint64_t sealedBytes = 0;
  for (int i = 0; i < 4; ++i) sealedBytes |= static_cast<std::uint64_t>((*length)[i]) << (8 * i);
  const std::uint64_t width = PayloadWidth(colourBytes, sealedBytes);
  if (sealedBytes <= kTagBytes || width == 0) return outcome;

  const std::uint64_t payloadBits = sealedBytes * 8;
  const auto keyed =
      KeyedElements(picture, keys.order, saltElements, kHeaderElements + payloadBits * width);
  const auto payloadElements = std::span(keyed).subspan(kHeaderElements);
  const auto payload = BytesOf(ReadRun(LowBits(picture, payloadElements), payloadBits, width));
  const auto packed =
      Open(keys.payload, kZeroNonce, payload, RestDigest(picture, saltElements, keyed));
  if (!packed) return outcome;
  auto content = UnpackContent(packed->View());
  if (!content) return outcome;
  outcome.status = SealedStatus::Done;
  outcome.content = std::move(*content);
  return outcome;
}

}  // namespace hushlake::sealed
