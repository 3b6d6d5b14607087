#pragma once
// Small stand-ins for real algorithms, so the framework's own rules are
// tested without depending on any one hash or cipher.
#include <cstring>

#include "crypto/cipher_base.h"
#include "crypto/hash_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake::test {

// A keyed byte-wise permutation over BlockSize bytes: invertible, key- and
// position-dependent, and cheap enough to write down by hand.
template <int Block>
class ToyCipher : public TCipher {
 public:
  static const TCipherClass Class;
  explicit ToyCipher(ProtectionPtr next = nullptr) : TCipher(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override {
    size = BeginInit(size);
    if (size > 0) std::memcpy(key_->bytes, key, static_cast<std::size_t>(size));
    FinishInit(iVector);
  }
  void EncryptBlock(void* block) override {
    auto* b = static_cast<std::uint8_t*>(block);
    for (int round = 0; round < 2; ++round) {
      for (int i = 0; i < Block; ++i) {
        b[i] = static_cast<std::uint8_t>(b[i] ^ key_->bytes[i % 16]);
        b[i] = static_cast<std::uint8_t>((b[i] << 3) | (b[i] >> 5));
        b[i] = static_cast<std::uint8_t>(b[i] + b[(i + Block - 1) % Block] + i);
      }
    }
  }
  void DecryptBlock(void* block) override {
    auto* b = static_cast<std::uint8_t*>(block);
    for (int round = 0; round < 2; ++round) {
      for (int i = Block - 1; i >= 0; --i) {
        b[i] = static_cast<std::uint8_t>(b[i] - b[(i + Block - 1) % Block] - i);
        b[i] = static_cast<std::uint8_t>((b[i] >> 3) | (b[i] << 5));
        b[i] = static_cast<std::uint8_t>(b[i] ^ key_->bytes[i % 16]);
      }
    }
  }

 protected:
  std::span<std::uint8_t> UserArea() override { return key_.Bytes(); }

 private:
  struct Schedule {
    std::uint8_t bytes[16];
  };
  SecureStorage<Schedule> key_;
};

template <>
inline const TCipherClass ToyCipher<8>::Class = {
    .className = "TCipher_ToyEight",
    .displayName = "Toy Eight",
    .note = "Testing only",
    .blockSize = 8,
    .keySize = 16,
    .userSize = 16,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<ToyCipher<8>>,
};
template <>
inline const TCipherClass ToyCipher<12>::Class = {
    .className = "TCipher_ToyTwelve",
    .displayName = "",
    .note = "",
    .blockSize = 12,
    .keySize = 16,
    .userSize = 16,
    .referenceOutputHex = "",
    .create = &CreateCipherInstance<ToyCipher<12>>,
};

// An 8-byte "digest": a running byte-wise mix. Good enough to key the toy cipher.
class ToyHash : public THash {
 public:
  static const THashClass Class;
  explicit ToyHash(ProtectionPtr next = nullptr) : THash(std::move(next)) {}
  ~ToyHash() override { SecureWipe(state_, sizeof state_); }
  const THashClass& ClassType() const override { return Class; }
  void Init() override {
    count_ = 0;
    for (int i = 0; i < 8; ++i) state_[i] = static_cast<std::uint8_t>(i * 17 + 1);
    ChainHook(true);
  }
  void Update(const void* data, int size) override {
    const auto* p = static_cast<const std::uint8_t*>(data);
    for (int i = 0; i < size; ++i) {
      const int at = count_++ % 8;
      state_[at] = static_cast<std::uint8_t>((state_[at] ^ p[i]) * 5 + state_[(at + 7) % 8]);
    }
  }
  void Final() override { ChainHook(false); }
  std::uint8_t* Digest() override { return state_; }

 private:
  std::uint8_t state_[8] = {};
  int count_ = 0;
};

inline const THashClass ToyHash::Class = {
    .className = "THash_Toy",
    .displayName = "Toy Hash",
    .category = "Hash",
    .digestSize = 8,
    .blockSize = 1,
    .referenceDigestHex = "",
    .create = &CreateHashInstance<ToyHash>,
};

}  // namespace hushlake::test
