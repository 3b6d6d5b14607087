#include "cli/algorithm_listing.h"

#include <iomanip>
#include <sstream>

#include "app/text_cipher.h"
#include "cli/names.h"
#include "crypto/managers.h"
#include "crypto/registry.h"

namespace hushlake::cli {

namespace {

// The list item that selects Cls, or empty when no item does.
template <class Items, class Lookup, class ClassInfo>
std::string ItemFor(const Items& items, Lookup lookup, const ClassInfo* cls) {
  for (std::string_view item : items)
    if (lookup(item) == cls) return std::string(item);
  return {};
}

void Row(std::ostream& out, const std::string& item, std::string_view className,
         const std::string& displayName, const std::string& description) {
  out << (item.empty() ? "  " : "* ") << std::left << std::setw(20) << ShortClassName(className)
      << std::setw(26) << displayName;
  if (item.empty())
    out << description;
  else
    out << std::setw(30) << description << "\"" << item << "\"";
  out << "\n";
}

}  // namespace

std::string AlgorithmListing() {
  std::ostringstream out;
  out << "Names marked * are offered for encrypt and decrypt (the main window's lists),\n"
         "typed as the quoted name. The others are in the library only: hashes and\n"
         "checksums for 'hushlake-cli hash', ciphers for 'hushlake-cli selftest'.\n\n";
  out << "Hashes (* offered for encrypt and decrypt, as the quoted name)\n";
  for (const HashRegistryEntry& entry : HashRegistry()) {
    THashManager manager;
    manager.SetAlgorithmClass(entry.cls);
    Row(out, ItemFor(HashListItems, HashClassByName, entry.cls), entry.cls->className, entry.Name(),
        manager.Description());
  }
  out << "\nCiphers (* offered for encrypt and decrypt, as the quoted name)\n";
  for (const CipherRegistryEntry& entry : CipherRegistry()) {
    TCipherManager manager;
    manager.SetAlgorithmClass(entry.cls);
    Row(out, ItemFor(CipherListItems, CipherClassByName, entry.cls), entry.cls->className,
        entry.Name(), manager.Description());
  }
  out << "\nModes (all offered for encrypt and decrypt)\n";
  for (std::size_t i = 0; i < ModeListItems.size(); ++i)
    out << "* " << std::left << std::setw(20) << ModeListItems[i] << ModeNames[i] << "\n";
  out << "\n" << AcceptedSpellings();
  return out.str();
}

}  // namespace hushlake::cli
