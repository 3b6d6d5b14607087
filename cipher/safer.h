#pragma once
// SAFER K and SK (J. L. Massey) as in the designers' reference: byte rounds
// over exp/log tables of 45^i mod 257, pseudo-Hadamard layers and the final
// output transformation. K40, K64 and K128 differ in key handling and
// default rounds; the SK variants use the strengthened key schedule.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

// Bits 0-1 give the key size (1: 40, 2: 64, 3: 128 bits), bit 2 the
// strengthened key schedule.
enum TSAFERMode : std::uint8_t {
  smDefault = 0,
  smK40 = 1,
  smK64 = 2,
  smK128 = 3,
  smSK40 = 5,
  smSK64 = 6,
  smSK128 = 7,
};

class TCipher_SAFER : public TCipher {
 public:
  static const TCipherClass Class;
  static constexpr int MaxRounds = 13;

  explicit TCipher_SAFER(ProtectionPtr next = nullptr)
      : TCipher_SAFER(Class, smDefault, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // Rounds used by the next Init; 0 until an Init has clamped it.
  int Rounds = 0;
  TSAFERMode SAFERMode() const { return mode_; }
  // Stores Value when it is 4 to 13; otherwise the default of the mode:
  // 5 for K40/SK40, 6 for K64/SK64, 10 for K128/SK128, 8 for any other.
  void SetRounds(int value);

 protected:
  TCipher_SAFER(const TCipherClass& cls, TSAFERMode mode, ProtectionPtr next)
      : TCipher(cls, std::move(next)), mode_(mode) {}
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  static constexpr int SubkeyCount = 2 * MaxRounds + 1;
  struct Schedule {
    std::uint8_t subkeys[SubkeyCount * 8];  // 8 bytes per subkey
    std::uint32_t rounds;
  };
  // The two 9-byte key registers (8 key bytes and a parity byte each).
  struct Registers {
    std::uint8_t a[9];
    std::uint8_t b[9];
  };
  void LoadRegisters(const std::uint8_t* key, int size, Registers& registers) const;
  void ExpandKey(Registers& registers);

  TSAFERMode mode_;
  SecureStorage<Schedule> key_;
};

class TCipher_SAFER_K40 : public TCipher_SAFER {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_K40(ProtectionPtr next = nullptr)
      : TCipher_SAFER(Class, smK40, std::move(next)) {}

 protected:
  TCipher_SAFER_K40(const TCipherClass& cls, TSAFERMode mode, ProtectionPtr next)
      : TCipher_SAFER(cls, mode, std::move(next)) {}
};

class TCipher_SAFER_SK40 : public TCipher_SAFER_K40 {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_SK40(ProtectionPtr next = nullptr)
      : TCipher_SAFER_K40(Class, smSK40, std::move(next)) {}
};

class TCipher_SAFER_K64 : public TCipher_SAFER {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_K64(ProtectionPtr next = nullptr)
      : TCipher_SAFER(Class, smK64, std::move(next)) {}

 protected:
  TCipher_SAFER_K64(const TCipherClass& cls, TSAFERMode mode, ProtectionPtr next)
      : TCipher_SAFER(cls, mode, std::move(next)) {}
};

class TCipher_SAFER_SK64 : public TCipher_SAFER_K64 {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_SK64(ProtectionPtr next = nullptr)
      : TCipher_SAFER_K64(Class, smSK64, std::move(next)) {}
};

class TCipher_SAFER_K128 : public TCipher_SAFER {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_K128(ProtectionPtr next = nullptr)
      : TCipher_SAFER(Class, smK128, std::move(next)) {}

 protected:
  TCipher_SAFER_K128(const TCipherClass& cls, TSAFERMode mode, ProtectionPtr next)
      : TCipher_SAFER(cls, mode, std::move(next)) {}
};

class TCipher_SAFER_SK128 : public TCipher_SAFER_K128 {
 public:
  static const TCipherClass Class;
  explicit TCipher_SAFER_SK128(ProtectionPtr next = nullptr)
      : TCipher_SAFER_K128(Class, smSK128, std::move(next)) {}
};

}  // namespace hushlake
