#pragma once
// Syndrome-trellis codes (Filler, Judas and Fridrich, "Minimizing additive
// distortion in steganography using syndrome-trellis codes", 2011).
//
// The parity-check matrix H has one row per message bit and w columns per
// message bit. Column i (block b = i / w, place q = i % w) holds the h-bit
// column word columns[q]: bit r of the word is H's entry in row b + r (rows
// past the message's end are dropped). The message a reader gets from bits y
// is the syndrome H y; the embedder finds the y' with H y' = message whose
// flipped bits cost least, by the Viterbi algorithm over the 2^h partial
// syndromes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace hushlake::sealed {

// An infinite cost marks a bit that must not flip (a wet element).
inline constexpr float kWet = __builtin_huge_valf();

// The w column words of height h that the format uses: the XChaCha20 stream
// of the public key BLAKE2b("hushlake sealed pictures 1 trellis") with the
// nonce {h, w, 0...} (w as a 32-bit little-endian number after the byte h),
// one 32-bit little-endian word per column, kept to its low h bits with the
// lowest and highest of them set.
std::vector<std::uint32_t> TrellisColumns(int height, int width);

// H y for bits y (one bit per byte, 0 or 1); y holds messageBits * columns.size() bits.
std::vector<std::uint8_t> TrellisSyndrome(std::span<const std::uint8_t> bits,
                                          std::size_t messageBits,
                                          std::span<const std::uint32_t> columns, int height);

// The bits nearest to `cover` (one per byte) by the sum of `costs` of the
// flipped ones whose syndrome is `message` (one bit per byte), and that sum;
// nothing when the wet bits leave no way to it.
struct TrellisResult {
  std::vector<std::uint8_t> bits;
  double cost = 0;
};
std::optional<TrellisResult> TrellisEmbed(std::span<const std::uint8_t> cover,
                                          std::span<const float> costs,
                                          std::span<const std::uint8_t> message,
                                          std::span<const std::uint32_t> columns, int height);

}  // namespace hushlake::sealed
