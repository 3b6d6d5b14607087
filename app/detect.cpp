#include "app/detect.h"

#include "app/key_bytes.h"
#include "app/plausible_text.h"
#include "app/text_encoding.h"
#include "crypto/secret.h"
#include "stego/encryptor.h"

namespace hushlake {

namespace {

// The base-64 text hidden under the engine key, or nothing when the key check fails.
std::optional<SecretString> HiddenText(const PixelView& pixels, SecretString engineKey) {
  EngineOutcome outcome = DecryptPixels(pixels, std::move(engineKey));
  if (!outcome.Succeeded() || outcome.text.empty()) return std::nullopt;
  return std::move(outcome.text);
}

// A long text is judged on its start first: every mode deciphers a prefix
// alone, but the last blocks of the prefix (cipher text stealing) and a
// character cut at its end are left out.
constexpr std::size_t PrefixCharacters = 4096;
constexpr std::size_t UnsettledBytes = 64;

std::string_view SettledStart(std::string_view plain) {
  const std::size_t cut = plain.size() > UnsettledBytes ? plain.size() - UnsettledBytes : 0;
  return plain.substr(0, CharacterBoundary(plain, cut));
}

bool GivesText(const CipherChoice& choice, std::string_view keyBytes, std::string_view hidden) {
  if (hidden.size() > PrefixCharacters) {
    const SecretString start = DecipherText(choice, keyBytes, hidden.substr(0, PrefixCharacters));
    if (!BytesReadAsText(SettledStart(start.View()))) return false;
  }
  const SecretString plain = DecipherText(choice, keyBytes, hidden);
  return BytesReadAsText(plain.View());
}

}  // namespace

Detection DetectChoice(const PixelView& pixels, std::string_view key) {
  Detection found;
  const SecretString keyBytes = TrueColorKeyBytes(key);
  for (std::string_view hash : HashListItems) {
    CipherChoice choice;
    choice.hash = hash;
    const std::optional<SecretString> hidden =
        HiddenText(pixels, DeriveEngineKey(choice, keyBytes.View()));
    if (!hidden) continue;
    found.hash = hash;
    for (std::string_view cipher : CipherListItems) {
      choice.cipher = cipher;
      for (choice.mode = 0; choice.mode < static_cast<int>(ModeListItems.size()); ++choice.mode)
        if (GivesText(choice, keyBytes.View(), hidden->View())) found.readable.push_back(choice);
    }
    break;
  }
  return found;
}

}  // namespace hushlake
