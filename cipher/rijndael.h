#pragma once
// Rijndael with a 128-bit block (AES, FIPS-197). The key length picks the
// variant: up to 16 bytes AES-128, 17 to 24 AES-192, more AES-256, the key
// zero-padded to 16, 24 or 32 bytes.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Rijndael : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Rijndael(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int MaxRoundKeyWords = 4 * (14 + 1);
  struct Schedule {
    std::uint32_t encrypt[MaxRoundKeyWords];
    // The equivalent inverse cipher's keys: rounds in reverse order, those of
    // the inner rounds passed through InvMixColumns.
    std::uint32_t decrypt[MaxRoundKeyWords];
  };
  SecureStorage<Schedule> key_;
  int rounds_ = 10;  // 10, 12 or 14, from the key length
};

}  // namespace hushlake
