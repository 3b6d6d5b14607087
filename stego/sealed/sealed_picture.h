#pragma once
// Sealed pictures: a content hidden in a 24- or 32-bit picture so that
// nothing is visible without the passphrase. docs/sealed-format.md describes
// every step, so another program can read them.
#include <cstdint>
#include <string_view>

#include "crypto/sealed/sodium_box.h"
#include "stego/picture.h"
#include "stego/sealed/sealed_content.h"

namespace hushlake::sealed {

// Fixed by the format (version 1).
inline constexpr int kTrellisHeight = 10;
inline constexpr std::size_t kSaltBits = kSaltBytes * 8;
inline constexpr std::size_t kSaltWidth = 16;
inline constexpr std::size_t kSaltElements = kSaltBits * kSaltWidth;
inline constexpr std::size_t kHeaderBits = (4 + kTagBytes) * 8;
inline constexpr std::size_t kHeaderWidth = 16;
inline constexpr std::size_t kHeaderElements = kHeaderBits * kHeaderWidth;
inline constexpr std::size_t kFixedElements = kSaltElements + kHeaderElements;
inline constexpr std::size_t kMinPayloadWidth = 2;  // at most 0.5 bits per colour byte
// A small payload is spread over up to 64 colour bytes per bit: the fewer
// bits per colour byte, the fewer changes the code needs, and the more room
// it has to put them where the picture is busy. 64 bounds the trellis's
// memory (4096 * 64 cover bits of 1024 states: 32 MiB a chunk).
inline constexpr std::size_t kMaxPayloadWidth = 64;
inline constexpr std::size_t kChunkBits = 4096;
// The safe share: 0.05 bits per colour byte, counted as 1 bit in 20.
inline constexpr std::uint64_t kSafeElementsPerBit = 20;

enum class SealedStatus {
  Done,
  NotTrueColour,  // an 8-bit palette picture
  TooLarge,       // more than the largest size: refused before the key derivation
  NothingOpens,   // wrong key, no sealed content, or a changed picture
};

struct SealedCapacity {
  std::uint64_t colourBytes = 0;
  // Compressed content bytes (what PackContent makes): the safe and the largest amount.
  std::uint64_t safeBytes = 0;
  std::uint64_t largestBytes = 0;
};

SealedCapacity CapacityOf(const Picture& picture);

struct SealOutcome {
  SealedStatus status = SealedStatus::Done;
  SealedCapacity capacity;
  std::uint64_t packedBytes = 0;  // the compressed content's size
  bool aboveSafe = false;         // sealed, but more than the safe size
  bool Succeeded() const { return status == SealedStatus::Done; }
};

// Seals the content into the picture's colour bytes in place. A refusal leaves the picture as it
// was.
SealOutcome SealIntoPicture(Picture& picture, const SealedContent& content,
                            std::string_view passphrase, const KeyStretcher& stretcher);
// The same for content already packed (PackContent), so a caller can weigh it first.
SealOutcome SealPackedIntoPicture(Picture& picture, const SecretBytes& packed,
                                  std::string_view passphrase, const KeyStretcher& stretcher);

struct OpenOutcome {
  SealedStatus status = SealedStatus::NothingOpens;
  SealedContent content;
  bool Succeeded() const { return status == SealedStatus::Done; }
};

OpenOutcome OpenFromPicture(const Picture& picture, std::string_view passphrase,
                            const KeyStretcher& stretcher);

}  // namespace hushlake::sealed
