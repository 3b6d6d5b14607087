#pragma once
// NewDES (R. Scott, Cryptologia 9(1), 1985): 64-bit block, 120-bit key,
// byte-wide rounds through one 256-byte substitution, no permutations. A
// key shorter than 15 bytes is zero-padded.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_NewDES : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_NewDES(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int ScheduleBytes = 60;  // 8 rounds of 7 bytes and 4 for the last half
  // Decryption runs the same block function with the key bytes reordered.
  struct Schedule {
    std::uint8_t encrypt[ScheduleBytes];
    std::uint8_t decrypt[ScheduleBytes];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
