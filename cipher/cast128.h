#pragma once
// CAST-128 (RFC 2144): 64-bit block read as two big-endian halves, keys of up
// to 16 bytes zero-padded to 16; 12 rounds for keys of 10 bytes or less,
// 16 rounds otherwise.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Cast128 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Cast128(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t km[16];  // masking keys
    std::uint32_t kr[16];  // rotation keys, 0..31
  };
  SecureStorage<Schedule> key_;
  int rounds_ = 16;  // 12 or 16, from the key length
};

}  // namespace hushlake
