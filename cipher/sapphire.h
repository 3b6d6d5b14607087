#pragma once
// Sapphire II: a byte-oriented stream cipher packaged as a 32-byte block
// cipher. A shuffled deck of the 256 byte values and five one-byte indices
// evolve with every byte; each output byte depends on the previous plain and
// cipher bytes. The keyed state is saved after Init and brought back by Reset.
#include <array>
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace sapphire {
// The key-driven numbers that shuffle the deck: a running byte sum over the
// key bytes, cycled, with the key length (mod 256) added at every wrap.
class KeyRandom {
 public:
  KeyRandom(const std::uint8_t* key, int length) : key_(key), length_(length) {}
  ~KeyRandom() { SecureWipe(&sum_, sizeof sum_); }
  KeyRandom(const KeyRandom&) = delete;
  KeyRandom& operator=(const KeyRandom&) = delete;

  // A value in 0..Limit; needs a key of at least one byte.
  std::uint8_t Next(std::uint8_t limit);
  std::uint8_t Sum() const { return sum_; }

 private:
  void AddNextKeyByte();

  const std::uint8_t* key_;
  int length_;
  int position_ = 0;
  std::uint8_t sum_ = 0;
};
}  // namespace sapphire

class TCipher_Sapphire : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Sapphire(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
  // Also brings the deck and indices back to their state right after Init.
  void Reset() override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int BlockBytes = 32;
  struct State {
    std::uint8_t rotor, ratchet, avalanche, lastPlain, lastCipher;
    std::array<std::uint8_t, 256> cards;
  };
  struct Schedule {
    State work;
    State saved;
  };

  void ShuffleDeck(const std::uint8_t* key, int length);
  void SetKeylessState();
  template <bool Decipher>
  void Transform(std::uint8_t* bytes);

  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
