#pragma once
// The Square hash: every 16-byte block is enciphered with the Square cipher
// under the current chaining value as key; the output, XORed with a
// feed-forward of single bytes taken from the block buffer, is the new
// chaining value. Because the feed-forward reads whatever the buffer holds,
// the digest can depend on how the message was split into Update calls.
#include <array>
#include <cstdint>

#include "crypto/hash_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class THash_Square : public THash {
 public:
  static const THashClass Class;
  explicit THash_Square(ProtectionPtr next = nullptr);
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override { return reinterpret_cast<std::uint8_t*>(state_->chain.data()); }

 private:
  static constexpr int BlockSize = 16;
  struct State {
    std::uint32_t byteCount;
    std::array<std::uint8_t, BlockSize> blockBuffer;
    std::array<std::uint32_t, 4> chain;
  };

  void Compress(const std::uint8_t* block);

  SecureStorage<State> state_;
};

}  // namespace hushlake
