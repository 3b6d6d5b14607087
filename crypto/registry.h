#pragma once
// The two process-wide registries that map display names and short class
// names to algorithm classes. They are filled once at start-up from one
// explicit table per family and only read afterwards.
#include <string>
#include <string_view>
#include <vector>

#include "crypto/cipher_base.h"
#include "crypto/hash_base.h"

namespace hushlake {

template <class ClassInfo>
struct RegistryEntry {
  const ClassInfo* cls;
  std::string line;  // display name, "=", note
  std::string Name() const;
  std::string Note() const;
};
using HashRegistryEntry = RegistryEntry<THashClass>;
using CipherRegistryEntry = RegistryEntry<TCipherClass>;

// The class name without everything up to and including its first underscore.
std::string ShortClassName(std::string_view className);

// A blank Name is derived from the class name; a class registered again
// keeps its place and gets the new line.
void RegisterHashClass(const THashClass* cls, std::string_view name, std::string_view category);
void RegisterCipherClass(const TCipherClass* cls, std::string_view name, std::string_view note);
const std::vector<HashRegistryEntry>& HashRegistry();
const std::vector<CipherRegistryEntry>& CipherRegistry();

// By short class name first, then by display name, both without regard to
// case; none when neither matches.
const THashClass* HashClassByName(std::string_view name);
const TCipherClass* CipherClassByName(std::string_view name);
// The display name, or the short class name for an unregistered class.
std::string HashClassName(const THashClass* cls);
std::string CipherClassName(const TCipherClass* cls);
// The note of the class's entry; empty for an unregistered class.
std::string HashClassNote(const THashClass* cls);
std::string CipherClassNote(const TCipherClass* cls);

// Library defaults; the family tables set them when they register.
const THashClass* DefaultHashClass();
const TCipherClass* DefaultCipherClass();
void SetDefaultHashClass(const THashClass* cls);
void SetDefaultCipherClass(const TCipherClass* cls);

}  // namespace hushlake
