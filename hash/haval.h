#pragma once
// HAVAL with 3, 4 or 5 passes and the five output sizes. THash_Haval256 holds
// the whole behaviour; the shorter sizes differ only in their class facts,
// which select the pass count and the folding of the chaining value.
#include <array>
#include <cstdint>

#include "crypto/hash_base.h"
#include "crypto/secure_wipe.h"

namespace hushlake {

class THash_Haval256 : public THash {
 public:
  static const THashClass Class;
  explicit THash_Haval256(ProtectionPtr next = nullptr);
  const THashClass& ClassType() const override { return Class; }

  void Init() override;
  void Update(const void* data, int size) override;
  void Final() override;
  std::uint8_t* Digest() override;

  // A pass count of 3, 4 or 5 set here is kept by the next Init; any other
  // value lets Init choose it from the digest size.
  int Passes() const { return state_->passes; }
  void SetPasses(int passes) { state_->passes = static_cast<std::uint8_t>(passes); }

 private:
  static constexpr int BlockSize = 128;
  using CompressFunction = void (*)(std::uint32_t* chain, const std::uint8_t* block);
  struct State {
    std::uint32_t byteCount;
    std::array<std::uint8_t, BlockSize> blockBuffer;
    std::array<std::uint32_t, 8> chain;
    std::uint8_t passes;
  };

  void ChoosePasses();
  void FoldToDigestSize();

  SecureStorage<State> state_;
  CompressFunction compress_ = nullptr;
};

class THash_Haval128 : public THash_Haval256 {
 public:
  static const THashClass Class;
  using THash_Haval256::THash_Haval256;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Haval160 : public THash_Haval256 {
 public:
  static const THashClass Class;
  using THash_Haval256::THash_Haval256;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Haval192 : public THash_Haval256 {
 public:
  static const THashClass Class;
  using THash_Haval256::THash_Haval256;
  const THashClass& ClassType() const override { return Class; }
};

class THash_Haval224 : public THash_Haval256 {
 public:
  static const THashClass Class;
  using THash_Haval256::THash_Haval256;
  const THashClass& ClassType() const override { return Class; }
};

}  // namespace hushlake
