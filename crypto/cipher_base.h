#pragma once
// The base of every block and stream cipher: the size contract, key set-up
// (Init with key bytes, InitKey with a key text through a hash), the default
// vector, the chaining register and the eight modes. Cipher text always has
// exactly the length of the plain text.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/hash_base.h"
#include "crypto/protection.h"

namespace hushlake {

enum TCipherMode : std::uint8_t { cmCTS, cmCBC, cmCFB, cmOFB, cmECB, cmCTSMAC, cmCBCMAC, cmCFBMAC };

class TCipher;
using CipherPtr = std::shared_ptr<TCipher>;

// Everything known about a cipher class without an instance.
struct TCipherClass {
  std::string_view className;           // e.g. "TCipher_Blowfish"
  std::string_view displayName;         // the name it is registered under
  std::string_view note;                // the registry's free note
  int blockSize;                        // bytes
  int keySize;                          // maximal key length in bytes
  int userSize;                         // bytes of key schedule and private state
  std::string_view referenceOutputHex;  // TestInput enciphered (see the tests)
  CipherPtr (*create)(ProtectionPtr next);

  int ClassKeySize() const { return keySize; }
  // The reference output as bytes; TestInput itself where a class has none.
  ByteString ReferenceOutput() const;
  // A new instance; keyed with InitKey when KeyText is not empty.
  CipherPtr Create(std::string_view keyText = {}, ProtectionPtr next = nullptr) const;
};

template <class T>
CipherPtr CreateCipherInstance(ProtectionPtr next) {
  return std::make_shared<T>(std::move(next));
}

class TCipher : public TProtection {
 public:
  TCipher(const TCipherClass& cls, ProtectionPtr next);
  ~TCipher() override;

  const TCipherClass& ClassType() const { return class_; }
  int BlockSize() const { return class_.blockSize; }
  int KeySize() const { return class_.keySize; }
  int UserSize() const { return class_.userSize; }

  TCipherMode Mode = cmCTS;

  // Builds the key schedule from the first Size key bytes (longer keys are
  // cut to KeySize); IVector is BlockSize bytes or none for the default.
  virtual void Init(const void* key, int size, const void* iVector) = 0;
  // Hashes KeyText with the key hash and keys the cipher with the digest.
  void InitKey(std::string_view keyText, const void* iVector = nullptr);
  // Moves the chaining register back to the vector.
  virtual void Reset();

  void EncipherBuffer(const void* source, void* dest, int size);
  void DecipherBuffer(const void* source, void* dest, int size);

  // Convenience over ProcessString with the default format.
  std::string EncodeString(std::string_view plain) { return ProcessString(plain, caEncode, -1); }
  ByteString DecodeString(std::string_view text) { return ProcessString(text, caDecode, -1); }

  THash& KeyHash();
  const THashClass* KeyHashClass() const { return keyHashClass_; }
  void SetKeyHashClass(const THashClass* value);

  bool Initialized() const { return initialized_; }
  std::span<const std::uint8_t> Vector() const { return vector_; }
  std::span<const std::uint8_t> Feedback() const { return feedback_; }
  std::span<const std::uint8_t> Buffer() const { return buffer_; }
  // Bytes of key schedule and private state this instance keeps and scrubs;
  // most class tables state the same as userSize (tests/cipher/test_class_table.cpp).
  int UserAreaSize() { return static_cast<int>(UserArea().size()); }

  virtual void EncryptBlock(void* block) = 0;
  virtual void DecryptBlock(void* block) = 0;

  void BeginProcess(TCodeAction action) override;
  void EndProcess(TCodeAction action) override;
  void ProcessChunk(void* data, int size, TCodeAction action) override;

 protected:
  // First step of every Init: clears the state and scrubs; returns the key
  // length to use (0 for negative, at most KeySize).
  int BeginInit(int keyLength);
  // Last step of every Init: sets the vector (the encryption of a block of
  // 0xFF bytes when none is given) and marks the cipher initialised.
  void FinishInit(const void* iVector);
  // Fills the vector, register, work block and key schedule with 0xAA, 0x55
  // and their final values.
  virtual void Scrub();
  // The concrete cipher's key schedule and private state, scrubbed with the rest.
  virtual std::span<std::uint8_t> UserArea() { return {}; }

 private:
  void CheckInitialized() const;
  void ProcessBufferInMode(const void* source, void* dest, int size, bool decipher);
  void StartOrFinishAction(TCodeAction action);
  void EncipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size);
  void DecipherBlocks(const std::uint8_t* in, std::uint8_t* out, int size);
  void ProcessTail(const std::uint8_t* in, std::uint8_t* out, int size);
  void ProcessByteMode(const std::uint8_t* in, std::uint8_t* out, int size, bool decipher);
  void ProcessMac(const std::uint8_t* in, int size);

  const TCipherClass& class_;
  std::vector<std::uint8_t> vector_, feedback_, buffer_, scratch_;
  bool initialized_ = false;
  const THashClass* keyHashClass_ = nullptr;
  HashPtr keyHash_;
};

}  // namespace hushlake
