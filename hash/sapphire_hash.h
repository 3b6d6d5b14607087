#pragma once
// The Sapphire II hash: the byte step of the Sapphire II stream cipher absorbs
// the message, and a finishing sequence that depends on the digest size turns
// the state into a digest of 16 to 40 bytes. THash_Sapphire320 holds the whole
// behaviour; the shorter sizes differ only in their class facts.
#include <array>
#include <cstdint>

#include "crypto/hash_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class THash_Sapphire320 : public THash {
 public:
  static const THashClass Class;
  explicit THash_Sapphire320(ProtectionPtr next = nullptr);
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override { return state_->digest.data(); }

 private:
  struct State {
    std::uint32_t byteCount;
    std::uint8_t step, drift, cascade, prevInput, prevOutput;
    std::array<std::uint8_t, 256> deck;
    std::array<std::uint8_t, 40> digest;
  };

  SecureStorage<State> state_;
};

class THash_Sapphire288 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Sapphire256 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Sapphire224 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Sapphire192 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Sapphire160 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Sapphire128 : public THash_Sapphire320 {
 public:
  static const THashClass Class;
  using THash_Sapphire320::THash_Sapphire320;
  const THashClass& ClassType() const override { return Class; }
};

}  // namespace hushlake
