#pragma once
// MISTY1 (RFC 2994): 64-bit block of two big-endian halves, 128-bit key
// (shorter keys zero-padded to 16 bytes), 8 rounds with FL layers.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Misty : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Misty(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    // EK of RFC 2994: 0..7 the key's 16-bit words K, 8..15 K' = FI(K_i,
    // K_i+1), 16..23 the low 9 bits and 24..31 the high 7 bits of K'.
    std::uint32_t ek[32];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
