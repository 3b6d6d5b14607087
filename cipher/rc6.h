#pragma once
// RC6-32: 128-bit block as four little-endian 32-bit words, keys of 0 to 256
// bytes through the RC5 key schedule, 20 rounds unless Rounds asks for 16
// to 24.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_RC6 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_RC6(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // Rounds used by the next Init; 0 until an Init has settled it.
  int Rounds = 0;
  // Stores Value if it is 16 to 24, else 20.
  void SetRounds(int value);

  static constexpr int MinRounds = 16, MaxRounds = 24, DefaultRounds = 20;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t s[2 * MaxRounds + 4];
    // The round count fixed by Init, kept with the key it belongs to.
    std::uint32_t rounds;
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
