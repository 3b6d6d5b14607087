#pragma once
// The main window's glue for 24- and 32-bit pictures: the three algorithm
// lists, the label that describes the choice, the engine key, and the text
// enciphered to MIME base 64 and back. Every operation makes its own
// managers and frees them before it returns.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "crypto/secret.h"
#include "crypto/string_format.h"

namespace hushlake {

inline constexpr std::array<std::string_view, 13> HashListItems = {"Haval-224",
                                                                   "Haval-256",
                                                                   "MD4",
                                                                   "MD5",
                                                                   "RipeMD256",
                                                                   "RipeMD320",
                                                                   "Sapphire II-256",
                                                                   "Sapphire II-320",
                                                                   "SHA",
                                                                   "SHA1",
                                                                   "Snefru-256",
                                                                   "Square",
                                                                   "Tiger"};
inline constexpr std::array<std::string_view, 15> CipherListItems = {
    "3Way", "Blowfish",    "Diamond II", "Gost",   "Q128", "Rijndael", "SAFER-K128", "SAFER-SK128",
    "SCOP", "Sapphire II", "Shark",      "Square", "TEA",  "TEAN",     "Twofish"};
inline constexpr std::array<std::string_view, 4> ModeListItems = {"cmCTS", "cmCBC", "cmCFB",
                                                                  "cmOFB"};
inline constexpr std::array<std::string_view, 4> ModeNames = {
    "Cipher Text Stealing", "Cipher Block Chaining", "Cipher Feedback", "Output Feedback"};

// What the three lists show: the hash and cipher by item text, the mode by
// item index (0 to 3). The first items are the start selection.
struct CipherChoice {
  std::string hash{HashListItems[0]};
  std::string cipher{CipherListItems[0]};
  int mode = 0;
};

// The text of the choice label, e.g. "Hash: 224 bit  Cipher: 96 bit Key Mode: Cipher Text
// Stealing".
std::string ChoiceLabel(const CipherChoice& choice);

// The 16-character key the engine stores and checks: the first 8 digest
// bytes of the key text, in upper-case hexadecimal.
SecretString DeriveEngineKey(const CipherChoice& choice, std::string_view keyText);

// The text's bytes enciphered under the key's hexadecimal digest, as MIME base 64.
std::string EncipherText(const CipherChoice& choice, std::string_view keyText,
                         std::string_view text);

// The length of EncipherText's result for a text of PlainBytes bytes, under
// any choice: every mode keeps the length (the block modes steal cipher text
// rather than pad) and base 64 takes 4 characters for every 3 bytes begun.
// Capacity figures rest on it, so nothing is enciphered just to count.
constexpr std::int64_t CipherTextLength(std::int64_t plainBytes) {
  return (plainBytes + 2) / 3 * 4;
}

// The bytes deciphered from Source; raises EStringFormat when Source is not
// MIME base 64. A wrong cipher or mode gives other bytes, not an error.
SecretString DecipherText(const CipherChoice& choice, std::string_view keyText,
                          std::string_view source);

}  // namespace hushlake
