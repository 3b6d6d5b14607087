#pragma once
// SCOP: an additive stream cipher packaged as a 128-byte block cipher. A
// key-dependent table of 256 words is stirred as words are produced; each pair
// of produced words is added to a data word. The table changes with every
// block, so the keyed state is saved after Init and brought back by Reset.
#include <array>
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace scop {
// The key-setup generator: 32 coefficient bytes followed by the four
// little-endian state words X0..X3.
using Generator = std::array<std::uint8_t, 48>;

// The generator's starting contents for a key of Length bytes (at most 48).
// An empty key acts as the single byte 0: all coefficients come from the
// zero replacement and the state words start at zero.
Generator ExpandKey(const std::uint8_t* key, int length);

// One generator step: writes four words to Out and advances X0..X3.
void Step(Generator& g, std::uint32_t* out);
}  // namespace scop

class TCipher_SCOP : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_SCOP(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
  // Also brings the table back to its state right after Init.
  void Reset() override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  // W[0], W[1]: start indices i and j (low bytes); W[2]: unused; W[3]: start
  // value of t3; W[4..259]: V[0..255]; W[132..387]: T[0..255], so the upper
  // half of V is the lower half of T.
  static constexpr int StateWords = 388;
  static constexpr int VOffset = 4;
  static constexpr int TOffset = 132;
  struct Schedule {
    std::array<std::uint32_t, StateWords> work;
    std::array<std::uint32_t, StateWords> saved;
  };

  void FillState(scop::Generator& g);
  template <bool Decipher>
  void ApplyKeystream(void* block);

  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
