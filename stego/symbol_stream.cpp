#include "stego/symbol_stream.h"

namespace hushlake {

SecretBytes BuildSymbolStream(std::string_view key, std::string_view text,
                              const SymbolAlphabet& alphabet) {
  SecretBytes symbols;
  symbols.reserve(key.size() + text.size() + 2);
  for (char c : key) symbols.push_back(alphabet.encode[static_cast<std::uint8_t>(c)]);
  symbols.push_back(alphabet.separatorSymbol);
  for (char c : text) symbols.push_back(alphabet.encode[static_cast<std::uint8_t>(c)]);
  symbols.push_back(alphabet.endSymbol);
  return symbols;
}

SecretString DecodeSymbols(std::span<const std::uint8_t> symbols, const SymbolAlphabet& alphabet) {
  SecretString text;
  text.Value().resize(symbols.size());
  for (std::size_t i = 0; i < symbols.size(); ++i) text.data()[i] = alphabet.decode[symbols[i]];
  return text;
}

bool KeyCheckPasses(std::span<const std::uint8_t> beforeSeparator, std::string_view key,
                    const SymbolAlphabet& alphabet) {
  if (beforeSeparator.empty()) return true;
  if (beforeSeparator.size() != key.size()) return false;
  for (std::size_t i = 0; i < key.size(); ++i)
    if (alphabet.decode[beforeSeparator[i]] != key[i]) return false;
  return true;
}

std::optional<SecretString> SplitHiddenText(std::string_view extracted, std::string_view key,
                                            char decodedSeparator) {
  if (extracted.size() < 4) return std::nullopt;
  if (!extracted.starts_with(key)) return std::nullopt;
  const std::size_t separator = extracted.find(decodedSeparator);
  if (separator == std::string_view::npos) return SecretString(extracted.substr(key.size()));
  if (separator != key.size()) return std::nullopt;
  return SecretString(extracted.substr(separator + 1));
}

}  // namespace hushlake
