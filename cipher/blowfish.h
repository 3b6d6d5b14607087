#pragma once
// Blowfish: 64-bit block, keys of 1 to 56 bytes used at their length, the
// block read as two big-endian halves.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Blowfish : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Blowfish(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t p[18];
    std::uint32_t s[4][256];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
