#include "app/key_bytes.h"

#include <algorithm>
#include <span>

#include "app/key_case.h"
#include "app/text_encoding.h"
#include "stego/palette_coding.h"

namespace hushlake {

SecretString TrueColorKeyBytes(std::string_view keyText) {
  SecretString ansi = SecretString::Adopt(EditorTextToWindows1252(keyText));
  const SecretString back = SecretString::Adopt(Windows1252ToEditorText(ansi));
  const SecretString withCrLf = SecretString::Adopt(WithCrLfLineBreaks(keyText));
  if (back == withCrLf.View()) return ansi;
  return SecretString(keyText);
}

SecretString PaletteKeyBytes(std::string_view keyText) {
  SecretString key = SecretString::Adopt(EditorTextToWindows1252(keyText));
  LowerCaseAnsiInPlace(std::span(key.data(), key.size()));
  return key;
}

bool PaletteCarriesKey(const SecretString& paletteKey) {
  return std::all_of(paletteKey.View().begin(), paletteKey.View().end(), [](char c) {
    return PaletteAlphabet.encode[static_cast<unsigned char>(c)] != 0;
  });
}

}  // namespace hushlake
