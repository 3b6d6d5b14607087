#pragma once
// DES as in FIPS 46-3: 64-bit block, 8-byte key whose parity bits are
// ignored; a shorter key is zero-padded. The multiple-DES and DESX classes
// (cipher/des_family.h) build on this class and share its key area.
#include <cstdint>
#include <span>

#include "cipher/des_core.h"
#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_1DES : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_1DES(ProtectionPtr next = nullptr) : TCipher_1DES(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  TCipher_1DES(const TCipherClass& cls, ProtectionPtr next) : TCipher(cls, std::move(next)) {}
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

  // Room for the largest member of the family: three DES keys, and the two
  // whitening blocks of DESX. Each class fills what it uses; the rest stays
  // zero from the scrub at the start of Init.
  struct Schedule {
    detail::DesKeyPair des[3];
    detail::DesHalves whitening[2];  // DESX: before and after DES
  };

  // Expands Count consecutive DES keys from Key, zero-padded to 8 * Count
  // bytes; Size is the length that BeginInit returned.
  void ExpandDesKeys(const void* key, int size, int count);

  Schedule& Keys() { return *key_; }

 private:
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
