#pragma once
// RC2 (RFC 2268): 64-bit block as four little-endian 16-bit words, keys of 1
// to 128 bytes, with an effective key length of 1024 bits.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_RC2 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_RC2(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  static constexpr int EffectiveKeyBits = 1024;

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }
  // Init with another effective key length (1 to 1024 bits), as RFC 2268
  // allows; this class always uses EffectiveKeyBits.
  void InitWithEffectiveBits(const void* key, int size, const void* iVector, int effectiveBits);

 private:
  struct Schedule {
    std::uint16_t k[64];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
