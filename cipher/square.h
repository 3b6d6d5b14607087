#pragma once
// Square: 128-bit block, 128-bit key, 8 rounds, over GF(2^8) mod 0x1F5. The
// state is four rows; row i is the little-endian word i of the block.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Square : public TCipher {
 public:
  static const TCipherClass Class;
  static constexpr int Rounds = 8;

  explicit TCipher_Square(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // The linear layer on one row: the row as a0 + a1 x + a2 x^2 + a3 x^3 times
  // 2 + x + x^2 + 3 x^3 modulo x^4 + 1.
  static std::uint32_t Theta(std::uint32_t row);

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  using RoundKey = std::uint32_t[4];
  struct Schedule {
    // Keys 0..7 already through theta (the published initial inverse theta
    // folded in), key 8 as it is.
    RoundKey encrypt[Rounds + 1];
    // The keys in the order decryption uses them: 8, 7, ..., 1, then key 0
    // through theta (the undoing of the first key addition).
    RoundKey decrypt[Rounds + 1];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
