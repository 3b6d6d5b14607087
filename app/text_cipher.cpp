#include "app/text_cipher.h"

#include <algorithm>
#include <cctype>

#include "crypto/managers.h"

namespace hushlake {

namespace {

// Replaces every occurrence of From (ignoring case) by To.
std::string ReplaceIgnoringCase(const std::string& text, std::string_view from,
                                std::string_view to) {
  auto lower = [](std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
  };
  const std::string haystack = lower(text);
  const std::string needle = lower(from);
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = haystack.find(needle, pos)) != std::string::npos;
       pos = hit + needle.size())
    out.append(text, pos, hit - pos).append(to);
  return out.append(text, pos, std::string::npos);
}

TCipherMode ModeOf(const CipherChoice& choice) {
  return static_cast<TCipherMode>(std::clamp(choice.mode, 0, 3));
}

SecretString KeyDigestHex(THashManager& hashes, std::string_view keyText) {
  return SecretString::Adopt(hashes.AlgorithmClass()->HashString(keyText, nullptr, FormatHEX));
}

// The cipher keyed as Encrypt and Decrypt key it: the whole hexadecimal
// digest of the key text, hashed again by the same hash inside InitKey.
void KeyCipher(const CipherChoice& choice, std::string_view keyText, THashManager& hashes,
               TCipherManager& ciphers) {
  hashes.SetAlgorithm(choice.hash);
  const SecretString digestHex = KeyDigestHex(hashes, keyText);
  ciphers.SetAlgorithm(choice.cipher);
  ciphers.SetMode(ModeOf(choice));
  ciphers.SetHashManager(&hashes);
  ciphers.InitKey(digestHex);
}

}  // namespace

std::string ChoiceLabel(const CipherChoice& choice) {
  THashManager hashes;
  hashes.SetAlgorithm(choice.hash);
  TCipherManager ciphers;
  ciphers.SetAlgorithm(choice.cipher);
  ciphers.SetMode(ModeOf(choice));
  std::string label = hashes.Description() + " Cipher: " + ciphers.Description() +
                      " Mode: " + std::string(ModeNames[ciphers.Mode()]);
  label = ReplaceIgnoringCase(label, "Digestsize", "");
  label = ReplaceIgnoringCase(label, "bit", " bit");
  return ReplaceIgnoringCase(label, "Hash,", "Hash:");
}

SecretString DeriveEngineKey(const CipherChoice& choice, std::string_view keyText) {
  THashManager hashes;
  hashes.SetAlgorithm(choice.hash);
  const SecretString digestHex = KeyDigestHex(hashes, keyText);
  // The padding only matters for digests under 8 bytes, which no list item has.
  SecretString padded;
  padded.Value().reserve(3 * digestHex.size() + 20);
  for (int i = 0; i < 3; ++i) padded.Value().append(digestHex.View());
  padded.Value().append("12345678901234567890");
  return SecretString(padded.View().substr(0, 16));
}

std::string EncipherText(const CipherChoice& choice, std::string_view keyText,
                         std::string_view text) {
  THashManager hashes;
  TCipherManager ciphers;
  KeyCipher(choice, keyText, hashes, ciphers);
  return ciphers.EncipherString(text);
}

SecretString DecipherText(const CipherChoice& choice, std::string_view keyText,
                          std::string_view source) {
  THashManager hashes;
  TCipherManager ciphers;
  KeyCipher(choice, keyText, hashes, ciphers);
  return SecretString::Adopt(ciphers.DecipherString(source));
}

}  // namespace hushlake
