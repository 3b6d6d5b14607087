#include "cli/detect.h"

#include "app/text_encoding.h"
#include "cli/plausible_text.h"
#include "crypto/secure_wipe.h"
#include "stego/encryptor.h"

namespace hushlake::cli {

namespace {

// The key's bytes on the 24- and 32-bit path, as the main window hashes
// them: Windows-1252 when the key fits that code page, otherwise UTF-8.
std::string TrueColorKeyBytes(const std::string& keyText) {
  const std::string ansi = EditorTextToWindows1252(keyText);
  if (Windows1252ToEditorText(ansi) == WithCrLfLineBreaks(keyText)) return ansi;
  return keyText;
}

class DiscardedPicture : public PictureHolder {
 public:
  void ReplacePicture(Picture) override {}
};

// The base-64 text hidden under the engine key, or nothing when the key check fails.
std::optional<std::string> HiddenText(Picture& picture, const std::string& engineKey) {
  DiscardedPicture target;
  StringTextHolder text;
  RecordingMessageSink messages;
  TEncryptor engine(picture, target, engineKey, text, messages);
  engine.Decrypt();
  if (engine.ResultText().empty()) return std::nullopt;
  return engine.ResultText();
}

// A long text is judged on its start first: every mode deciphers a prefix
// alone, but the last blocks of the prefix (cipher text stealing) and a
// character cut at its end are left out.
constexpr std::size_t PrefixCharacters = 4096;
constexpr std::size_t UnsettledBytes = 64;

std::string SettledStart(const ByteString& plain) {
  std::size_t cut = plain.size() > UnsettledBytes ? plain.size() - UnsettledBytes : 0;
  while (cut > 0 && (static_cast<unsigned char>(plain[cut]) & 0xC0) == 0x80) --cut;
  return plain.substr(0, cut);
}

bool GivesText(const CipherChoice& choice, const std::string& keyBytes, const std::string& hidden) {
  if (hidden.size() > PrefixCharacters) {
    const ByteString start = DecipherText(choice, keyBytes, hidden.substr(0, PrefixCharacters));
    if (!LooksLikeText(CipherBytesToEditorText(SettledStart(start)))) return false;
  }
  const ByteString plain = DecipherText(choice, keyBytes, hidden);
  return LooksLikeText(CipherBytesToEditorText(plain));
}

}  // namespace

Detection DetectChoice(Picture& picture, const std::string& key) {
  Detection found;
  std::string keyBytes = TrueColorKeyBytes(key);
  std::optional<std::string> hidden;
  for (std::string_view hash : HashListItems) {
    CipherChoice choice;
    choice.hash = hash;
    std::string engineKey = DeriveEngineKey(choice, keyBytes);
    hidden = HiddenText(picture, engineKey);
    ScrubString(engineKey);
    if (!hidden) continue;
    found.hash = hash;
    for (std::string_view cipher : CipherListItems) {
      choice.cipher = cipher;
      for (choice.mode = 0; choice.mode < static_cast<int>(ModeListItems.size()); ++choice.mode)
        if (GivesText(choice, keyBytes, *hidden)) found.readable.push_back(choice);
    }
    break;
  }
  ScrubString(keyBytes);
  return found;
}

}  // namespace hushlake::cli
