#pragma once
// GOST 28147-89 in simple substitution form, with the S-boxes of the
// GOST R 34.11-94 test parameter set.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Gost : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Gost(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t k[8];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
