#pragma once
// Twofish with 16 rounds, whitening and key-dependent S-boxes, keys
// zero-padded to 16, 24 or 32 bytes. The odd expanded-key words follow this
// system's rule, ROL(A + (B >> 1), 9), where the published schedule has
// ROL(A + 2B, 9); stored pictures depend on it.
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace detail {

struct TwofishSchedule {
  std::uint32_t subkeys[40];  // whitening words 0-7, then two per round
  // g() per input byte position, the MDS matrix folded in.
  std::uint32_t sbox[4][256];
};

enum class TwofishOddWords {
  Halved,     // this system: K[2i+1] = ROL(A + (B >> 1), 9)
  Published,  // the algorithm as published: K[2i+1] = ROL(A + 2B, 9)
};

// Builds the whole schedule from Length key bytes (at most 32).
void ExpandTwofishKey(const std::uint8_t* key, int length, TwofishOddWords rule,
                      TwofishSchedule& schedule);
void EncryptTwofishBlock(const TwofishSchedule& schedule, void* block);
void DecryptTwofishBlock(const TwofishSchedule& schedule, void* block);

}  // namespace detail

class TCipher_Twofish : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Twofish(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  SecureStorage<detail::TwofishSchedule> key_;
};

}  // namespace hushlake
