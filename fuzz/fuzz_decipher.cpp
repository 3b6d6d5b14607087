// Every cipher in every chaining mode on data of any length: deciphering
// arbitrary bytes (and arbitrary MIME base 64 text through the manager's
// DecipherString) never fails, and what a mode enciphers it deciphers back.
// The input chooses the cipher, the mode, the key and the vector.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "crypto/exceptions.h"
#include "crypto/managers.h"
#include "crypto/registry.h"
#include "framework/framework.h"
#include "fuzz/fuzz_input.h"

namespace {

using namespace hushlake;

constexpr int kModeCount = 8;

bool IsMacMode(TCipherMode mode) {
  return mode == cmCTSMAC || mode == cmCBCMAC || mode == cmCFBMAC;
}

void CheckBuffers(TCipher& cipher, const std::string& data) {
  const int size = static_cast<int>(data.size());
  std::vector<std::uint8_t> plain(data.begin(), data.end());
  std::vector<std::uint8_t> out(data.size());
  cipher.DecipherBuffer(plain.data(), out.data(), size);
  if (IsMacMode(cipher.Mode)) return;
  cipher.Reset();
  cipher.EncipherBuffer(plain.data(), out.data(), size);
  cipher.Reset();
  std::vector<std::uint8_t> back(data.size());
  cipher.DecipherBuffer(out.data(), back.data(), size);
  if (back != plain) std::abort();
  // In place, as the string functions work.
  cipher.Reset();
  cipher.DecipherBuffer(out.data(), out.data(), size);
  if (out != plain) std::abort();
}

void CheckManager(const TCipherClass& cls, TCipherMode mode, const std::string& key,
                  const std::string& text) {
  TCipherManager manager;
  manager.SetAlgorithmClass(&cls);
  manager.SetMode(mode);
  manager.InitKey(key);
  try {
    (void)manager.DecipherString(text);
  } catch (const EStringFormat&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFramework();
  fuzzing::FuzzInput input(data, size);
  const auto& ciphers = CipherRegistry();
  const TCipherClass& cls = *ciphers[input.Index(ciphers.size())].cls;
  const auto mode = static_cast<TCipherMode>(input.Index(kModeCount));
  const std::string key = input.ShortString(static_cast<std::size_t>(cls.keySize) + 8);
  const bool withVector = (input.Byte() & 1) != 0;
  const std::string vector = withVector ? input.Take(static_cast<std::size_t>(cls.blockSize)) : "";
  const std::string rest = input.Rest();

  CipherPtr cipher = cls.Create();
  cipher->Mode = mode;
  const bool vectorComplete = vector.size() == static_cast<std::size_t>(cls.blockSize);
  try {
    cipher->Init(key.data(), static_cast<int>(key.size()),
                 vectorComplete ? vector.data() : nullptr);
  } catch (const ECipherException& error) {
    // Only a key longer than the cipher takes may be refused.
    if (error.ErrorCode() != ECipherException::KeyTooLong) std::abort();
    return 0;
  }
  CheckBuffers(*cipher, rest);
  CheckManager(cls, mode, key, rest);
  return 0;
}
