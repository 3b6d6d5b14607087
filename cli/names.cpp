#include "cli/names.h"

#include <cctype>
#include <optional>

#include "cli/algorithm_names.h"
#include "cli/outcome.h"

namespace hushlake::cli {

namespace {

template <std::size_t N>
std::string ValidItems(const std::array<std::string_view, N>& items) {
  std::string valid;
  for (std::string_view item : items) valid += "\n  " + std::string(item);
  return valid;
}

template <std::size_t N>
std::string_view ItemNamed(const std::array<std::string_view, N>& items, AlgorithmFamily family,
                           std::string_view name) {
  const std::string key = NameKey(name);
  for (std::string_view item : items)
    if (!key.empty() && NameKey(item) == key) return item;
  const std::string what = family == AlgorithmFamily::Hash ? "hash" : "cipher";
  const std::string unknown = "unknown " + what + " \"" + std::string(name) + "\"";
  const std::optional<std::string> hint = NotOfferedHint(family, name);
  throw UsageError(
      (hint ? unknown + ": " + *hint + "\nthe" : unknown + "; the") +
      " valid names are (in any case, with or without punctuation):" + ValidItems(items));
}

}  // namespace

std::string NameKey(std::string_view name) {
  std::string key;
  for (unsigned char c : name)
    if (std::isalnum(c)) key += static_cast<char>(std::tolower(c));
  return key;
}

std::string_view HashItemNamed(std::string_view name) {
  return ItemNamed(HashListItems, AlgorithmFamily::Hash, name);
}

std::string_view CipherItemNamed(std::string_view name) {
  return ItemNamed(CipherListItems, AlgorithmFamily::Cipher, name);
}

int ModeIndexNamed(std::string_view name) {
  std::string key = NameKey(name);
  if (key.rfind("cm", 0) != 0) key = "cm" + key;
  for (std::size_t i = 0; i < ModeListItems.size(); ++i)
    if (NameKey(ModeListItems[i]) == key) return static_cast<int>(i);
  throw UsageError(
      "unknown mode \"" + std::string(name) +
      "\"; the valid modes are (in any case, with or without \"cm\"):" + ValidItems(ModeListItems));
}

CipherChoice ChoiceNamed(std::string_view hash, std::string_view cipher, std::string_view mode) {
  CipherChoice choice;
  if (!hash.empty()) choice.hash = HashItemNamed(hash);
  if (!cipher.empty()) choice.cipher = CipherItemNamed(cipher);
  if (!mode.empty()) choice.mode = ModeIndexNamed(mode);
  return choice;
}

std::string AcceptedSpellings() {
  return "Names are accepted in any case and with or without their punctuation and\n"
         "spaces (Haval-224, haval224 and \"HAVAL 224\" are one name); modes with or\n"
         "without \"cm\" (cmCBC, cbc).\n";
}

}  // namespace hushlake::cli
