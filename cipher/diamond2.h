#pragma once
// Diamond II: a substitution-permutation cipher whose substitution boxes are
// permutations of 0..255 drawn from the key, one per round and byte position.
// Diamond II Lite is the same construction on 8-byte blocks.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "crypto/cipher_base.h"

namespace hushlake {

// Key-derived bytes on the heap, scrubbed before they are given back.
class ScrubbedBytes {
 public:
  ScrubbedBytes() = default;
  ScrubbedBytes(const ScrubbedBytes&) = delete;
  ScrubbedBytes& operator=(const ScrubbedBytes&) = delete;
  ~ScrubbedBytes() { Release(); }

  void Allocate(std::size_t size);  // releases the old bytes first; new ones are zero
  void Release();
  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  bool empty() const { return bytes_.empty(); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// KeyRand of the key schedule: a CRC-32 register (reflected 0xEDB88320, no
// inversions) fed with key bytes, each passed through the box built last;
// the two bytes of the key length enter at every wrap of the key.
class Diamond2KeyRand {
 public:
  Diamond2KeyRand(const std::uint8_t* key, int length) : key_(key), length_(length) {}
  Diamond2KeyRand(const Diamond2KeyRand&) = delete;
  Diamond2KeyRand& operator=(const Diamond2KeyRand&) = delete;
  ~Diamond2KeyRand();

  // Key bytes pass through Box from now on.
  void SetPreviousBox(const std::uint8_t* box) { previousBox_ = box; }
  // A value in 0..Max (Max <= 255); Max = 0 costs no key byte.
  unsigned Next(unsigned max);

 private:
  void Step();

  const std::uint8_t* key_;
  int length_;
  std::uint32_t accumulator_ = 0xFFFFFFFFu;
  int position_ = 0;
  const std::uint8_t* previousBox_ = nullptr;
};

class TCipher_Diamond2 : public TCipher {
 public:
  static const TCipherClass Class;
  explicit TCipher_Diamond2(ProtectionPtr next = nullptr)
      : TCipher_Diamond2(Class, std::move(next)) {}

  void Init(const void* key, int size, const void* iVector) override;
  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;

  // Substitution layers for the next Init; 0 until an Init has clamped it.
  int Rounds = 0;
  // Stores Value if it lies in 5..15, else 10.
  virtual void SetRounds(int value);

  // The boxes of the current key, box (r, j) at (r * BlockSize + j) * 256;
  // empty while the cipher holds no key.
  std::span<const std::uint8_t> EncryptBoxes() const {
    return {encryptBoxes_.data(), encryptBoxes_.size()};
  }
  std::span<const std::uint8_t> DecryptBoxes() const {
    return {decryptBoxes_.data(), decryptBoxes_.size()};
  }

 protected:
  TCipher_Diamond2(const TCipherClass& cls, ProtectionPtr next) : TCipher(cls, std::move(next)) {}
  // The base scrub, then the boxes are wiped and released.
  void Scrub() override;

  // Block functions for a block of B bytes (16 or 8).
  template <int B>
  void EncryptWith(void* block) const;
  template <int B>
  void DecryptWith(void* block) const;

 private:
  std::size_t BoxOffset(int round, int position) const;
  const std::uint8_t* EncryptBox(int round, int position) const;
  const std::uint8_t* DecryptBox(int round, int position) const;
  void BuildBoxes(const std::uint8_t* key, int length);
  void CheckBoxes() const;

  ScrubbedBytes encryptBoxes_, decryptBoxes_;
  // The layers the boxes were built for; Rounds may change after Init.
  int boxRounds_ = 0;
};

class TCipher_Diamond2Lite : public TCipher_Diamond2 {
 public:
  static const TCipherClass Class;
  explicit TCipher_Diamond2Lite(ProtectionPtr next = nullptr)
      : TCipher_Diamond2(Class, std::move(next)) {}

  void EncryptBlock(void* block) override;
  void DecryptBlock(void* block) override;
  // Stores Value if it lies in 4..30, else 10.
  void SetRounds(int value) override;
};

}  // namespace hushlake
