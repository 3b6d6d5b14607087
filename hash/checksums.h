#pragma once
// The checksum classes: two rotate-and-XOR registers and three CRCs. The
// digest is the register's bytes, low byte first.
#include <cstdint>

#include "crypto/hash_base.h"

namespace hushlake {

class THash_XOR16 : public TChecksum {
 public:
  static const THashClass Class;
  explicit THash_XOR16(ProtectionPtr next = nullptr);
  ~THash_XOR16() override;
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override { return reinterpret_cast<std::uint8_t*>(&register_); }

 protected:
  std::uint16_t register_ = 0;
};

class THash_XOR32 : public TChecksum {
 public:
  static const THashClass Class;
  explicit THash_XOR32(ProtectionPtr next = nullptr);
  ~THash_XOR32() override;
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  // Little-endian 16-bit words. A trailing odd byte enters as a word with a
  // zero high byte; when the next Update brings the high byte it is added
  // in, so pieces of any size give the same register as one call.
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override { return reinterpret_cast<std::uint8_t*>(&register_); }

 protected:
  std::uint32_t register_ = 0;

 private:
  bool highBytePending_ = false;
};

class THash_CRC16_CCITT : public THash_XOR16 {
 public:
  static const THashClass Class;
  using THash_XOR16::THash_XOR16;
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
};

// The lower-case "h" is the class's registered name.
class Thash_CRC16_Standard : public THash_XOR16 {
 public:
  static const THashClass Class;
  using THash_XOR16::THash_XOR16;
  const THashClass& ClassType() const override { return Class; }

  void Update(const void* data, int size) override;
};

class THash_CRC32 : public THash_XOR32 {
 public:
  static const THashClass Class;
  using THash_XOR32::THash_XOR32;
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
};

}  // namespace hushlake
