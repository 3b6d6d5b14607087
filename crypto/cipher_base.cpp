#include "crypto/cipher_base.h"

#include <algorithm>
#include <cstring>

#include "crypto/registry.h"
#include "crypto/secure_wipe.h"
#include "crypto/support.h"

namespace hushlake {

ByteString TCipherClass::ReferenceOutput() const {
  if (referenceOutputHex.empty())
    return ByteString(reinterpret_cast<const char*>(TestInput.data()), TestInput.size());
  return DecodeFromFormat(referenceOutputHex, FormatHEX);
}

CipherPtr TCipherClass::Create(std::string_view keyText, ProtectionPtr next) const {
  CipherPtr cipher = create(std::move(next));
  if (!keyText.empty()) cipher->InitKey(keyText, nullptr);
  return cipher;
}

TCipher::TCipher(const TCipherClass& cls, ProtectionPtr next)
    : TProtection(std::move(next)),
      class_(cls),
      vector_(static_cast<std::size_t>(cls.blockSize)),
      feedback_(static_cast<std::size_t>(cls.blockSize)),
      buffer_(static_cast<std::size_t>(cls.blockSize)),
      scratch_(static_cast<std::size_t>(cls.blockSize) * 2),
      keyHashClass_(DefaultHashClass()) {
  TCipher::Scrub();
}

TCipher::~TCipher() {
  ScrubBytes(vector_.data(), vector_.size());
  ScrubBytes(feedback_.data(), feedback_.size());
  ScrubBytes(buffer_.data(), buffer_.size());
  ScrubBytes(scratch_.data(), scratch_.size());
}

void TCipher::SetKeyHashClass(const THashClass* value) {
  if (value == keyHashClass_) return;
  keyHash_.reset();
  keyHashClass_ = value != nullptr ? value : DefaultHashClass();
}

THash& TCipher::KeyHash() {
  if (!keyHash_) {
    const THashClass* cls = keyHashClass_ != nullptr ? keyHashClass_ : DefaultHashClass();
    if (cls == nullptr) throw ECryptoError("No key hash class: the algorithm registry is empty.");
    keyHash_ = cls->Create();
  }
  return *keyHash_;
}

int TCipher::BeginInit(int keyLength) {
  initialized_ = false;
  Scrub();
  return std::clamp(keyLength, 0, KeySize());
}

void TCipher::FinishInit(const void* iVector) {
  if (iVector != nullptr) {
    std::memcpy(vector_.data(), iVector, vector_.size());
  } else {
    EncryptBlock(vector_.data());
  }
  feedback_ = vector_;
  initialized_ = true;
}

void TCipher::InitKey(std::string_view keyText, const void* iVector) {
  THash& hash = KeyHash();
  hash.Init();
  hash.Update(keyText.data(), static_cast<int>(keyText.size()));
  hash.Final();
  const int n = std::min(hash.DigestSize(), KeySize());
  Init(hash.Digest(), n, iVector);
  // Overwrite the digest with its own encryption so no key stays in the hash.
  EncipherBuffer(hash.Digest(), hash.Digest(), hash.DigestSize());
  Reset();
}

void TCipher::Reset() {
  if (feedback_ != vector_) {
    buffer_ = feedback_;
    feedback_ = vector_;
  }
}

void TCipher::Scrub() {
  initialized_ = false;
  std::span<std::uint8_t> user = UserArea();
  for (std::uint8_t pass : {std::uint8_t{0xAA}, std::uint8_t{0x55}}) {
    for (auto* area : {&vector_, &feedback_, &buffer_})
      SecureFill(area->data(), area->size(), pass);
    SecureFill(user.data(), user.size(), pass);
  }
  SecureFill(vector_.data(), vector_.size(), 0xFF);
  SecureFill(feedback_.data(), feedback_.size(), 0xFF);
  SecureFill(buffer_.data(), buffer_.size(), 0x00);
  SecureFill(user.data(), user.size(), 0x00);
}

void TCipher::CheckInitialized() const {
  if (!initialized_)
    throw ECipherException(FillMessage("%s is not initialized call Init() or InitKey() before.",
                                       {std::string(class_.className)}),
                           ECipherException::NotInitialized);
}

void TCipher::StartOrFinishAction(TCodeAction action) {
  if (action == caCalculate) return;
  if (action == caWipe)
    ScrambleWithSeed(TimeSeed(), feedback_.data(), BlockSize());
  else
    Reset();
}

void TCipher::BeginProcess(TCodeAction action) {
  CheckInitialized();
  StartOrFinishAction(action);
  TProtection::BeginProcess(action);
}

void TCipher::EndProcess(TCodeAction action) {
  TProtection::EndProcess(action);
  StartOrFinishAction(action);
}

void TCipher::ProcessChunk(void* data, int size, TCodeAction action) {
  if (action == caDecode) {
    if (EnabledActions.Contains(caDecode)) DecipherBuffer(data, data, size);
    TProtection::ProcessChunk(data, size, action);
    return;
  }
  TProtection::ProcessChunk(data, size, action);
  if (EnabledActions.Contains(action)) EncipherBuffer(data, data, size);
}

}  // namespace hushlake
