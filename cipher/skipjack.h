#pragma once
// Skipjack: 64-bit block as four big-endian 16-bit words, 80-bit key (a
// shorter key is zero-padded to 10 bytes), 32 rounds of stepping rules A and
// B around the G permutation.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Skipjack : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Skipjack(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  // Table k holds F[x ^ cv_k] for every x: one lookup per F step instead of
  // an XOR with a key byte and a lookup.
  struct Schedule {
    std::uint8_t f[10][256];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
