#include "cli/algorithm_names.h"

#include <array>
#include <utility>

#include "app/text_cipher.h"
#include "cli/names.h"
#include "crypto/registry.h"

namespace hushlake::cli {

namespace {

// Common names the registry does not carry, and the class each stands for
// (both as NameKey gives them).
constexpr std::array<std::pair<std::string_view, std::string_view>, 6> CommonNames = {{
    {"aes", "rijndael"},
    {"aes128", "rijndael"},
    {"aes192", "rijndael"},
    {"aes256", "rijndael"},
    {"des", "1des"},
    {"tripledes", "3des"},
}};

std::string ClassKey(std::string_view name) {
  std::string key = NameKey(name);
  for (const auto& [common, cls] : CommonNames)
    if (key == common) return std::string(cls);
  return key;
}

// The registry entry whose short class name or display name is Key.
template <class Entry>
const Entry* EntryWithKey(const std::vector<Entry>& registry, const std::string& key) {
  for (const Entry& entry : registry)
    if (NameKey(ShortClassName(entry.cls->className)) == key) return &entry;
  for (const Entry& entry : registry)
    if (NameKey(entry.Name()) == key) return &entry;
  return nullptr;
}

template <std::size_t N, class Lookup, class ClassInfo>
std::string_view ItemOf(const std::array<std::string_view, N>& items, Lookup lookup,
                        const ClassInfo* cls) {
  for (std::string_view item : items)
    if (lookup(item) == cls) return item;
  return {};
}

template <std::size_t N, class Entry, class Lookup>
std::optional<std::string> Hint(const std::array<std::string_view, N>& items,
                                const std::vector<Entry>& registry, Lookup lookup,
                                std::string_view what, std::string_view option,
                                std::string_view otherUse, std::string_view name) {
  const std::string key = ClassKey(name);
  if (key.empty()) return std::nullopt;
  const Entry* entry = EntryWithKey(registry, key);
  if (entry == nullptr) return std::nullopt;
  const std::string_view item = ItemOf(items, lookup, entry->cls);
  if (!item.empty())
    return "it is the list's \"" + std::string(item) + "\": type " + std::string(option) + " '" +
           std::string(item) + "'";
  return "the library has it (" + entry->Name() + "), but it is not in the " + std::string(what) +
         " list encrypt and decrypt offer" + std::string(otherUse) +
         "; 'hushlake-cli list' marks those offered with *";
}

}  // namespace

std::optional<std::string> NotOfferedHint(AlgorithmFamily family, std::string_view name) {
  if (family == AlgorithmFamily::Hash)
    return Hint(HashListItems, HashRegistry(), HashClassByName, "hash", "-H",
                " ('hushlake-cli hash --algo' computes it)", name);
  return Hint(CipherListItems, CipherRegistry(), CipherClassByName, "cipher", "-c", "", name);
}

}  // namespace hushlake::cli
