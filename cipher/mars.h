#pragma once
// MARS, the AES submission with its revised (round-2) key schedule: 128-bit
// block of four little-endian words, key words read little-endian. The
// published schedule takes 4 to 14 key words; see Init for other lengths.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Mars : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Mars(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  // Key lengths: the key is zero-padded to whole words, and to at least four
  // words (16 bytes); 4 to 14 words (up to 56 bytes) run the published
  // schedule unchanged. Longer keys (up to 156 bytes, 39 words) are folded
  // into 14 words, word i XORed into word i mod 14, and the schedule's length
  // word (T[14]) holds the real word count, so every key byte counts and
  // keys of different word counts stay apart.
  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    // 0..3 input whitening, 4..35 core pairs (additive, multiplicative),
    // 36..39 output whitening.
    std::uint32_t k[40];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
