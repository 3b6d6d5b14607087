#pragma once
// The base of every hash and checksum: the incremental contract
// (Init, Update, Final, Digest), the class-level facts in one descriptor,
// and a hash's part in a protection chain. It lives with the framework
// because the cipher base keys itself through a hash.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "crypto/protection.h"

namespace hushlake {

class THash;

// The longest digest of any class (RIPEMD-320, Sapphire II-320).
inline constexpr int MaxDigestSize = 64;
using HashPtr = std::shared_ptr<THash>;

// Everything known about a hash class without an instance.
struct THashClass {
  std::string_view className;           // e.g. "THash_MD5"
  std::string_view displayName;         // the name it is registered under
  std::string_view category;            // "Hash" or "Checksum"
  int digestSize;                       // bytes
  int blockSize;                        // bytes
  std::string_view referenceDigestHex;  // digest of TestInput, lower-case hex
  HashPtr (*create)(ProtectionPtr next);

  int DigestSize() const { return digestSize; }
  // The expected digest of TestInput as bytes.
  ByteString ReferenceDigest() const;
  HashPtr Create(ProtectionPtr next = nullptr) const { return create(std::move(next)); }
  // Hashes Data in one Update with a fresh instance linked to Protection and
  // returns the digest in the format FormatId.
  std::string HashString(std::string_view data, ProtectionPtr protection = nullptr,
                         int formatId = FormatHEX) const;
};

template <class T>
HashPtr CreateHashInstance(ProtectionPtr next) {
  return std::make_shared<T>(std::move(next));
}

class THash : public TProtection {
 public:
  using TProtection::TProtection;

  virtual const THashClass& ClassType() const = 0;

  virtual void Init() = 0;
  // Absorbs nothing when Size is 0 or less.
  virtual void Update(const void* data, int size) = 0;
  virtual void Final() = 0;
  // DigestSize bytes, valid until the next Init, Update, Final or destruction.
  virtual std::uint8_t* Digest() = 0;
  int DigestSize() const { return ClassType().digestSize; }

  void BeginProcess(TCodeAction action) override;
  void EndProcess(TCodeAction action) override;
  void ProcessChunk(void* data, int size, TCodeAction action) override;

  // The digest as bytes; convenience for callers and tests.
  ByteString DigestBytes() {
    return ByteString(reinterpret_cast<const char*>(Digest()),
                      static_cast<std::size_t>(DigestSize()));
  }

 protected:
  // Every concrete Init ends with ChainHook(true), every Final with ChainHook(false).
  void ChainHook(bool starting);
};

// The common base of the checksum classes; no behaviour of its own.
class TChecksum : public THash {
 public:
  using THash::THash;
};

// Keys the hash it is linked behind: the key's digest is XORed into the
// initial chaining value, and the finished digest may be scrambled further.
class TMAC : public TProtection {
 public:
  explicit TMAC(ByteString macKey, ProtectionPtr next = nullptr);
  ~TMAC() override;

  virtual void MacInit(THash& hash);
  virtual void MacFinal(THash& hash);
  const ByteString& MacKey() const { return macKey_; }

 private:
  ByteString macKey_;
};

}  // namespace hushlake
