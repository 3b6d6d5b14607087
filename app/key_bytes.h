#pragma once
// The bytes a typed key (UTF-8, as the key field holds it) becomes for the
// engine. Every copy lives in an owner that wipes it.
#include <string_view>

#include "crypto/secret.h"

namespace hushlake {

// On the 24- and 32-bit path, the bytes that are hashed: Windows-1252 when
// the key fits that code page (as older versions hashed it), otherwise UTF-8.
SecretString TrueColorKeyBytes(std::string_view keyText);

// The key the 8-bit engine stores: the text as Windows-1252, lowered.
SecretString PaletteKeyBytes(std::string_view keyText);

// Whether every byte of an 8-bit key is one of the 8-bit alphabet's.
bool PaletteCarriesKey(const SecretString& paletteKey);

}  // namespace hushlake
