#include "crypto/managers.h"

#include <algorithm>

#include "crypto/registry.h"

namespace hushlake {

namespace {
std::string WithNote(const std::string& note, const std::string& tail) {
  return note.empty() ? tail : note + ", " + tail;
}
}  // namespace

THashManager::~THashManager() {
  for (TCipherManager* watcher : watchers_) watcher->hashManager_ = nullptr;
}

const THashClass* THashManager::AlgorithmClass() {
  if (algorithmClass_ == nullptr) algorithmClass_ = DefaultHashClass();
  return algorithmClass_;
}

void THashManager::SetAlgorithmClass(const THashClass* value) {
  algorithmClass_ = value != nullptr ? value : DefaultHashClass();
}

std::string THashManager::Algorithm() { return HashClassName(AlgorithmClass()); }

void THashManager::SetAlgorithm(std::string_view name) { SetAlgorithmClass(HashClassByName(name)); }

std::string THashManager::Description() {
  const THashClass* cls = AlgorithmClass();
  if (cls == nullptr) return {};
  return WithNote(HashClassNote(cls), std::to_string(8 * cls->DigestSize()) + "bit Digestsize");
}

TCipherManager::~TCipherManager() { SetHashManager(nullptr); }

void TCipherManager::SetHashManager(THashManager* value) {
  if (value == hashManager_) return;
  if (hashManager_ != nullptr) std::erase(hashManager_->watchers_, this);
  hashManager_ = value;
  if (hashManager_ != nullptr) hashManager_->watchers_.push_back(this);
}

void TCipherManager::SetMode(TCipherMode value) {
  mode_ = value;
  if (cipherObject_) cipherObject_->Mode = value;
}

const TCipherClass* TCipherManager::AlgorithmClass() {
  if (algorithmClass_ == nullptr) algorithmClass_ = DefaultCipherClass();
  return algorithmClass_;
}

void TCipherManager::SetAlgorithmClass(const TCipherClass* value) {
  if (value == AlgorithmClass()) return;
  cipherObject_.reset();
  algorithmClass_ = value;
}

std::string TCipherManager::Algorithm() { return CipherClassName(AlgorithmClass()); }

void TCipherManager::SetAlgorithm(std::string_view name) {
  SetAlgorithmClass(CipherClassByName(name));
}

std::string TCipherManager::Description() {
  const TCipherClass* cls = AlgorithmClass();
  if (cls == nullptr) return {};
  return WithNote(CipherClassNote(cls), std::to_string(8 * cls->ClassKeySize()) + "bit Key");
}

TCipher& TCipherManager::CipherObject() {
  if (!cipherObject_) {
    const TCipherClass* cls = AlgorithmClass();
    if (cls == nullptr) throw ECryptoError("No cipher class: the algorithm registry is empty.");
    cipherObject_ = cls->Create();
    cipherObject_->Mode = mode_;
  }
  return *cipherObject_;
}

void TCipherManager::InitKey(std::string_view keyText, const void* iVector) {
  TCipher& cipher = CipherObject();
  if (hashManager_ != nullptr) cipher.SetKeyHashClass(hashManager_->AlgorithmClass());
  cipher.InitKey(keyText, iVector);
}

std::string TCipherManager::EncipherString(std::string_view source) {
  return CipherObject().ProcessString(source, caEncode, -1);
}

ByteString TCipherManager::DecipherString(std::string_view source) {
  return CipherObject().ProcessString(source, caDecode, -1);
}

}  // namespace hushlake
