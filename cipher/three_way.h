#pragma once
// 3-Way (J. Daemen): 96-bit block and key as three little-endian words,
// 11 rounds plus the final key addition and theta.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_3Way : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_3Way(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  static constexpr int Rounds = 11;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t encryptKey[3];
    std::uint32_t decryptKey[3];
    // One constant per round plus the final key addition.
    std::uint32_t encryptConstants[Rounds + 1];
    std::uint32_t decryptConstants[Rounds + 1];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
