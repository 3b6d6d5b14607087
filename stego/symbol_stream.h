#pragma once
// The frame shared by both picture kinds: the stream Key + separator + Text +
// end marker, the reading loop with its key check at the separator, and the
// final check that splits what was read into key and hidden text.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "crypto/secret.h"

namespace hushlake {

inline constexpr char StreamSeparator = '\xCB';
inline constexpr char StreamEnd = '\xCD';

// How one picture kind turns characters into symbols and back.
struct SymbolAlphabet {
  std::array<std::uint8_t, 256> encode;  // by character code; markers excluded
  std::array<char, 256> decode;          // by symbol value
  std::uint8_t separatorSymbol;
  std::uint8_t endSymbol;
  char decodedSeparator;  // what the separator symbol decodes to
};

// Key + separator + Text + end marker. The two markers get their own symbols
// only in their own slots: a key or text character with the same code is
// coded like any other character, so it can neither end the stream early nor
// fake a separator.
SecretBytes BuildSymbolStream(std::string_view key, std::string_view text,
                              const SymbolAlphabet& alphabet);

SecretString DecodeSymbols(std::span<const std::uint8_t> symbols, const SymbolAlphabet& alphabet);

enum class ReadOutcome { EndFound, Exhausted, KeyRejected };

// True when everything before a separator at Index decodes to nothing or to Key.
bool KeyCheckPasses(std::span<const std::uint8_t> beforeSeparator, std::string_view key,
                    const SymbolAlphabet& alphabet);

// What may end a read before the end marker. A wrong key is certain at the
// first symbol of the key part that is not the key's (whatever follows, the
// final check fails), but which of the two refusals results is decided only
// at a separator or the end marker. Where both read alike (24 and 32 bits)
// the read stops at that first symbol; otherwise (8 bits) at the separator.
enum class WrongKeyStop { AtSeparator, AtFirstWrongSymbol };

// Reads symbols by ReadNext() (one call per position, in order) until the end
// marker, a separator whose prefix fails the key check, a wrong key part as
// `stop` allows, or Count symbols. Symbols receives everything read, the
// stopping symbol included.
template <class ReadNext>
ReadOutcome ReadSymbolStream(std::int64_t count, ReadNext&& readNext, std::string_view key,
                             const SymbolAlphabet& alphabet, SecretBytes& symbols,
                             WrongKeyStop stop = WrongKeyStop::AtSeparator) {
  symbols.clear();
  const bool stopEarly = stop == WrongKeyStop::AtFirstWrongSymbol;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::uint8_t symbol = readNext();
    symbols.push_back(symbol);
    if (stopEarly && static_cast<std::uint64_t>(i) < key.size() &&
        alphabet.decode[symbol] != key[static_cast<std::size_t>(i)])
      return ReadOutcome::KeyRejected;
    if (symbol == alphabet.endSymbol) return ReadOutcome::EndFound;
    if (symbol == alphabet.separatorSymbol &&
        !KeyCheckPasses(symbols.View().first(symbols.size() - 1), key, alphabet))
      return ReadOutcome::KeyRejected;
  }
  return ReadOutcome::Exhausted;
}

// The hidden text after the key, or nothing when Extracted (all symbols read
// but the last, decoded) does not start with the key in the expected form.
std::optional<SecretString> SplitHiddenText(std::string_view extracted, std::string_view key,
                                            char decodedSeparator);

}  // namespace hushlake
