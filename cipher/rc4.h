#pragma once
// RC4: the keystream generator, packaged as a 16-byte block cipher whose
// block functions both XOR the next 16 keystream bytes over the block. The
// state moves with every block, so the keyed state is saved after Init and
// brought back by Reset.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_RC4 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_RC4(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
  // Also brings the generator back to its state right after Init.
  void Reset() override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct State {
    std::uint8_t s[256];
    std::uint8_t i, j;
  };
  // The registered user area is 512 bytes, the two permutations; the two
  // index pairs come on top of it.
  struct Schedule {
    State work;
    State saved;
  };

  void XorKeystream(std::uint8_t* block);

  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
