#pragma once
// Q128: a 128-bit block cipher over one constant table of 1024 words, with
// round-key additions, XORs and 10-bit rotations; the key schedule runs the
// same kind of step over the key.
#include <array>
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

// The constant table, indexed by the low 10 bits of a word.
extern const std::array<std::uint32_t, 1024> Q128Table;

class TCipher_Q128 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Q128(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int Rounds = 16;
  struct Schedule {
    std::array<std::uint32_t, 4 * Rounds> roundKey;
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
