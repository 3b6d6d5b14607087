#pragma once
// SHARK: 64-bit block, 128-bit key, 6 rounds, over GF(2^8) mod 0x1F5. The
// block and every round key are one little-endian 64-bit integer; byte 0 of a
// state value, in the algorithm's sense, is its most significant byte.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_Shark : public TCipher {
 public:
  static const TCipherClass Class;
  static constexpr int Rounds = 6;

  explicit TCipher_Shark(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // The key-schedule map: the bytes of Value (most significant first) taken
  // as a vector and multiplied by the inverse of the diffusion matrix.
  static std::uint64_t Transform(std::uint64_t value);

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint64_t encrypt[Rounds + 1];
    std::uint64_t decrypt[Rounds + 1];
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
