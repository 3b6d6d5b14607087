#pragma once
// Snefru-256 as this system defines it: the designer's 8-pass compression
// with the published S-boxes, but message words read little-endian, its own
// output step and its own padding.
#include <array>
#include <cstdint>

#include "crypto/hash_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace snefru {
inline constexpr int BlockSize = 32;
inline constexpr int MaxPasses = 8;
// The 16-word work block: words 0-7 the chaining value, 8-15 the message.
using WorkBlock = std::array<std::uint32_t, 16>;

// The passes alone (at most MaxPasses), shared with the published form: for
// every pass and sub-round each word's low byte selects an S-box entry that
// is XORed into both neighbours, then every word is rotated right.
void RunPasses(WorkBlock& work, int passes);
}  // namespace snefru

class THash_Snefru : public THash {
 public:
  static const THashClass Class;
  explicit THash_Snefru(ProtectionPtr next = nullptr);
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override;

 private:
  struct State {
    std::int32_t passes;
    std::uint32_t byteCount;
    snefru::WorkBlock work;
    std::array<std::uint8_t, snefru::BlockSize> blockBuffer;
  };

  // Block (32 bytes, little-endian words) into work words 8-15, the passes,
  // then word i ^= word 15 - i of the result for i = 0..7.
  void Compress(const std::uint8_t* block);

  SecureStorage<State> state_;
};

}  // namespace hushlake
