#pragma once
// FROG (D. Georgoudis, D. Leroux, B. S. Chaves; TecApro, AES
// candidate 1998) with the reference key set-up and 8 iterations. FROG is
// defined for blocks of 8 to 128 bytes; the AES submission fixed 16, this
// class uses 32. Keys of 5 to 125 bytes are used at their length (the
// length enters the key set-up); a shorter key is zero-padded to 5 bytes.
#include <array>
#include <cstdint>
#include <span>

#include "crypto/cipher_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

namespace detail {

// One iteration's part of the internal key.
template <int BlockSize>
struct FrogIteration {
  std::uint8_t xorBu[BlockSize];
  std::uint8_t substPermu[256];  // inverted in the decryption key
  std::uint8_t bombPermu[BlockSize];
};

template <int BlockSize>
using FrogInternalKey = std::array<FrogIteration<BlockSize>, 8>;

template <int BlockSize>
struct FrogKeys {
  FrogInternalKey<BlockSize> encrypt;
  FrogInternalKey<BlockSize> decrypt;
};

// Builds both internal keys from Size (5 to 125) key bytes.
template <int BlockSize>
void FrogSetKey(const std::uint8_t* key, int size, FrogKeys<BlockSize>& keys);
template <int BlockSize>
void FrogEncrypt(std::uint8_t* block, const FrogInternalKey<BlockSize>& key);
template <int BlockSize>
void FrogDecrypt(std::uint8_t* block, const FrogInternalKey<BlockSize>& key);

// The AES submission's block size (for its known answers) and this class's.
extern template void FrogSetKey<16>(const std::uint8_t*, int, FrogKeys<16>&);
extern template void FrogEncrypt<16>(std::uint8_t*, const FrogInternalKey<16>&);
extern template void FrogDecrypt<16>(std::uint8_t*, const FrogInternalKey<16>&);
extern template void FrogSetKey<32>(const std::uint8_t*, int, FrogKeys<32>&);
extern template void FrogEncrypt<32>(std::uint8_t*, const FrogInternalKey<32>&);
extern template void FrogDecrypt<32>(std::uint8_t*, const FrogInternalKey<32>&);

}  // namespace detail

class TCipher_FROG : public TCipher {
 public:
  static const TCipherClass Class;
  static constexpr int MinKeySize = 5;
  explicit TCipher_FROG(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  using Schedule = detail::FrogKeys<32>;
  SecureStorage<Schedule> key_;
};

}  // namespace hushlake
