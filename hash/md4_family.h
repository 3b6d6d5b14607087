#pragma once
// The MD4 family: every hash that compresses 64-byte blocks with a 64-bit
// length field at the end - MD4, MD5, SHA (SHA-0), SHA-1, RIPEMD-128/160/256/320
// and Tiger. They share one frame (block buffering, padding, the digest area)
// and differ in their compression function and a few details of Init and Final.
#include <array>
#include <cstdint>

#include "crypto/hash_base.h"

namespace hushlake {

class THash_MD4 : public THash {
 public:
  static const THashClass Class;
  explicit THash_MD4(ProtectionPtr next = nullptr) : THash(std::move(next)) {}
  ~THash_MD4() override;
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override { return reinterpret_cast<std::uint8_t*>(chain_.data()); }

 protected:
  static constexpr int BlockSize = 64;
  static constexpr int ChainWords = 10;
  enum class LengthOrder { LittleEndian, BigEndian };

  // Compresses one 64-byte block into the chaining words.
  virtual void CompressBlock(const std::uint8_t* block);

  // Init without its chain hook: empty buffer, count 0, the ten standard words.
  void ResetFrame();
  // Final up to and including the last compression: marker byte, zeros,
  // the 64-bit bit count (only its low 32 bits carry the count).
  void PadAndCompress(std::uint8_t marker, LengthOrder order);

  std::uint32_t* Chain() { return chain_.data(); }

 private:
  std::uint32_t byteCount_ = 0;
  alignas(8) std::array<std::uint8_t, BlockSize> blockBuffer_{};
  // The digest area: its first DigestSize bytes are the digest. Tiger keeps
  // three 64-bit words in it, the others up to ten 32-bit words.
  alignas(8) std::array<std::uint32_t, ChainWords> chain_{};
};

class THash_MD5 : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_MD5(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

class THash_RipeMD128 : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_RipeMD128(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

class THash_RipeMD160 : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_RipeMD160(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

class THash_RipeMD256 : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_RipeMD256(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }
  void Init() override;

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

class THash_RipeMD320 : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_RipeMD320(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }

 protected:
  void CompressBlock(const std::uint8_t* block) override;
};

// SHA as first published (SHA-0). It sits below RIPEMD-160 in the class tree
// because it shares that class's digest size and Init.
class THash_SHA : public THash_RipeMD160 {
 public:
  static const THashClass Class;
  explicit THash_SHA(ProtectionPtr next = nullptr) : THash_RipeMD160(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }
  void Final() override;

 protected:
  void CompressBlock(const std::uint8_t* block) override;
  // Off for SHA-0; SHA-1's Init turns it on.
  bool rotateSchedule_ = false;
};

class THash_SHA1 : public THash_SHA {
 public:
  static const THashClass Class;
  explicit THash_SHA1(ProtectionPtr next = nullptr) : THash_SHA(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }
  void Init() override;
};

class THash_Tiger : public THash_MD4 {
 public:
  static const THashClass Class;
  explicit THash_Tiger(ProtectionPtr next = nullptr) : THash_MD4(std::move(next)) {}
  const THashClass& ClassType() const override { return Class; }
  void Init() override;
  void Final() override;

  // 3 to 32; Init replaces any other value by 3.
  int Passes() const { return passes_; }
  void SetPasses(int passes) { passes_ = passes; }

 protected:
  void CompressBlock(const std::uint8_t* block) override;

 private:
  int passes_ = 0;
};

}  // namespace hushlake
