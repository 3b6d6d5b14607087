#pragma once
// IDEA: 64-bit block, 128-bit key, 8.5 rounds of 16-bit addition, XOR and
// multiplication modulo 65537. Block and key are big-endian 16-bit words; a
// shorter key is zero-padded to 16 bytes.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace idea {
// Multiplication modulo 65537 with the word 0 standing for 65536.
std::uint16_t Multiply(std::uint16_t a, std::uint16_t b);
// The multiplicative inverse in the same representation (0 and 1 are their own).
std::uint16_t MultiplicativeInverse(std::uint16_t x);
}  // namespace idea

class TCipher_IDEA : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_IDEA(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int SubkeyCount = 52;
  struct Schedule {
    std::uint16_t encrypt[SubkeyCount];
    std::uint16_t decrypt[SubkeyCount];
  };

  void ExpandEncryptionKey(const std::uint8_t* key, int size);
  void InvertEncryptionKey();

  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
