#pragma once
// CAST-256 (RFC 2612): 128-bit block of four big-endian words, keys of up to
// 32 bytes read as big-endian words and zero-padded to 32, 48 rounds.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Cast256 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Cast256(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  // Quad-round i uses entries 4i..4i+3 of each array.
  struct Schedule {
    std::uint32_t km[48];  // masking keys
    std::uint32_t kr[48];  // rotation keys, 0..31
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
