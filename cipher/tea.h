#pragma once
// TEA and its extended form as this system defines them: the TEA Feistel
// structure with their own round expressions and 16 cycles by default.
// Neither gives the published TEA or XTEA results.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class TCipher_TEA : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_TEA(ProtectionPtr next = nullptr) : TCipher_TEA(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // Cycles used by the next Init; 0 until an Init has clamped it.
  int Rounds = 0;
  // Stores Value clamped to 16..32 (16 below, 32 above).
  void SetRounds(int value);

  static constexpr std::uint32_t Delta = 0x9E3779B9u;

 protected:
  TCipher_TEA(const TCipherClass& cls, ProtectionPtr next) : TCipher(cls, std::move(next)) {}
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

  struct Schedule {
    std::uint32_t k[4];
    // The cycle count fixed by Init, kept with the key it belongs to.
    std::uint32_t cycles;
  };
  const Schedule& Key() const { return *key_; }

 private:
  SecureStorage<Schedule> key_;
};

class TCipher_TEAN : public TCipher_TEA {
 public:
  static const TCipherClass Class;
  explicit TCipher_TEAN(ProtectionPtr next = nullptr) : TCipher_TEA(Class, std::move(next)) {}

  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
};

}  // namespace hushlake
