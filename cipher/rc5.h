#pragma once
// RC5-32: 64-bit block as two little-endian 32-bit words, keys of 0 to 256
// bytes, 12 rounds unless Rounds asks for 8 to 16.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace rc5 {
// The RC5 key schedule, shared by RC6: fills the Count words of S from the
// magic constants P32 and Q32 and mixes in the key of Length bytes (0 to 256)
// read as little-endian words.
void ExpandKey(const std::uint8_t* key, int length, std::uint32_t* s, int count);
}  // namespace rc5

class TCipher_RC5 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_RC5(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // Rounds used by the next Init; 0 until an Init has settled it.
  int Rounds = 0;
  // Stores Value if it is 8 to 16, else 12.
  void SetRounds(int value);

  static constexpr int MinRounds = 8, MaxRounds = 16, DefaultRounds = 12;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint32_t s[2 * MaxRounds + 2];
    // The round count fixed by Init, kept with the key it belongs to.
    std::uint32_t rounds;
  };
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
