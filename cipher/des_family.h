#pragma once
// Multiple DES and DESX on the DES primitive of TCipher_1DES.
//
// Double and triple DES are encrypt-decrypt-encrypt (EDE) as in NIST
// SP 800-67: C = E_K3(D_K2(E_K1(P))). Double DES takes a 16-byte key K1||K2
// and uses K3 = K1 (two-key EDE). Triple DES takes a 24-byte key
// K1||K2||K3; a key of 16 bytes or less is two-key EDE, exactly Double DES
// (keying option 2 of SP 800-67), so the 16- and 20-byte digests of InitKey
// do not leave K3 all zero. Keys are zero-padded to 16 or 24 bytes.
//
// The 16- and 24-byte block classes run the same EDE over a wide block cut
// into 8-byte parts, with the parts' 4-byte halves interleaved between the
// passes: each DES pass works on every part, then the second half of each
// part trades places with the first half of the next part (bytes 4-7 with
// 8-11, and for 24 bytes also 12-15 with 16-19). The exchange is its own
// inverse, so decryption runs D_K3, exchange, E_K2, exchange, D_K1. After
// the three passes every output bit depends on every input bit of the wide
// block, which two independent EDE halves would not give.
//
// DESX (R. Rivest) as RSA Data Security defined it for 16-byte keys: DES
// key K = bytes 0-7, input whitening Kin = bytes 8-15, and an output
// whitening Kout derived from K||Kin through a 256-byte substitution table;
// C = Kout XOR DES_K(P XOR Kin). A shorter key is zero-padded.
#include "cipher/des.h"

namespace hushlake {

class TCipher_2DES : public TCipher_1DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_2DES(ProtectionPtr next = nullptr) : TCipher_2DES(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  TCipher_2DES(const TCipherClass& cls, ProtectionPtr next) : TCipher_1DES(cls, std::move(next)) {}
};

class TCipher_2DDES : public TCipher_2DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_2DDES(ProtectionPtr next = nullptr) : TCipher_2DES(Class, std::move(next)) {}

  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
};

class TCipher_3DES : public TCipher_1DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_3DES(ProtectionPtr next = nullptr) : TCipher_3DES(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  TCipher_3DES(const TCipherClass& cls, ProtectionPtr next) : TCipher_1DES(cls, std::move(next)) {}
};

class TCipher_3DDES : public TCipher_3DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_3DDES(ProtectionPtr next = nullptr) : TCipher_3DES(Class, std::move(next)) {}

  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
};

class TCipher_3TDES : public TCipher_3DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_3TDES(ProtectionPtr next = nullptr) : TCipher_3DES(Class, std::move(next)) {}

  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
};

class TCipher_DESX : public TCipher_1DES {
 public:
  static const TCipherClass Class;
  explicit TCipher_DESX(ProtectionPtr next = nullptr) : TCipher_1DES(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // RSA's output whitening for the 16-byte key K||Kin.
  static void DeriveOutputWhitening(const std::uint8_t* key, std::uint8_t* whitening);
};

}  // namespace hushlake
