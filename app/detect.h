#pragma once
// Finding the hash, cipher and mode a text was hidden with, given the key.
// The engine's key check tells the hash: with any other the hidden key does
// not match. The hidden text is then read once and deciphered with every
// cipher and mode; the pairs whose result reads as text are the candidates.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_cipher.h"
#include "stego/pixel_view.h"

namespace hushlake {

struct Detection {
  std::optional<std::string_view> hash;  // none: no hash fits the key
  std::vector<CipherChoice> readable;    // every choice that gives text
};

// Pixels are those of a 24- or 32-bit picture, wherever they lie; they are
// only read. Key is the key as typed (UTF-8).
Detection DetectChoice(const PixelView& pixels, std::string_view key);

}  // namespace hushlake
