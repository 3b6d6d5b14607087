#pragma once
// The two components the main window uses: THashManager chooses a hash
// class, TCipherManager a cipher class and mode, keys the cipher through the
// hash manager's class and turns text into MIME base 64 cipher text and back.
#include <string>
#include <string_view>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/hash_base.h"

namespace hushlake {

class TCipherManager;

class THashManager {
 public:
  THashManager() = default;
  ~THashManager();
  THashManager(const THashManager&) = delete;
  THashManager& operator=(const THashManager&) = delete;

  // Never none: reads as the library default when nothing is set.
  const THashClass* AlgorithmClass();
  void SetAlgorithmClass(const THashClass* value);
  std::string Algorithm();
  // An unknown name selects the library default.
  void SetAlgorithm(std::string_view name);
  // The registry note, ", ", then e.g. "224bit Digestsize".
  std::string Description();

 private:
  friend class TCipherManager;
  const THashClass* algorithmClass_ = nullptr;
  std::vector<TCipherManager*> watchers_;  // told when this manager dies
};

class TCipherManager {
 public:
  TCipherManager() = default;
  ~TCipherManager();
  TCipherManager(const TCipherManager&) = delete;
  TCipherManager& operator=(const TCipherManager&) = delete;

  THashManager* HashManager() const { return hashManager_; }
  void SetHashManager(THashManager* value);

  TCipherMode Mode() const { return mode_; }
  void SetMode(TCipherMode value);

  const TCipherClass* AlgorithmClass();
  // Changing the class discards the cipher object and its key.
  void SetAlgorithmClass(const TCipherClass* value);
  std::string Algorithm();
  void SetAlgorithm(std::string_view name);
  // The registry note, ", ", then e.g. "448bit Key".
  std::string Description();

  // Created on demand with an empty key and the manager's mode.
  TCipher& CipherObject();

  void InitKey(std::string_view keyText, const void* iVector = nullptr);
  std::string EncipherString(std::string_view source);
  ByteString DecipherString(std::string_view source);

 private:
  friend class THashManager;
  THashManager* hashManager_ = nullptr;
  const TCipherClass* algorithmClass_ = nullptr;
  CipherPtr cipherObject_;
  TCipherMode mode_ = cmCTS;
};

}  // namespace hushlake
