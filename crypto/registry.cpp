#include "crypto/registry.h"

#include <algorithm>

namespace hushlake {

namespace {

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string_view AfterFirstUnderscore(std::string_view name) {
  const auto underscore = name.find('_');
  return underscore == std::string_view::npos ? name : name.substr(underscore + 1);
}

template <class ClassInfo>
std::vector<RegistryEntry<ClassInfo>>& Entries() {
  static std::vector<RegistryEntry<ClassInfo>> entries;
  return entries;
}

template <class ClassInfo>
void Register(const ClassInfo* cls, std::string_view name, std::string_view note) {
  if (cls == nullptr) return;
  std::string displayName(Trim(name));
  if (displayName.empty()) {
    std::string_view className = cls->className;
    if (!className.empty() && (className[0] == 'T' || className[0] == 't'))
      className.remove_prefix(1);
    displayName = std::string(AfterFirstUnderscore(className));
  }
  std::string line = displayName + "=" + std::string(note);
  auto& entries = Entries<ClassInfo>();
  for (auto& entry : entries) {
    if (entry.cls == cls) {
      entry.line = std::move(line);
      return;
    }
  }
  entries.push_back({cls, std::move(line)});
}

template <class ClassInfo>
const ClassInfo* ByName(std::string_view name) {
  name = AfterFirstUnderscore(name);
  const auto& entries = Entries<ClassInfo>();
  for (const auto& entry : entries)
    if (SameText(ShortClassName(entry.cls->className), name)) return entry.cls;
  for (const auto& entry : entries)
    if (SameText(entry.Name(), name)) return entry.cls;
  return nullptr;
}

template <class ClassInfo>
const RegistryEntry<ClassInfo>* EntryOf(const ClassInfo* cls) {
  for (const auto& entry : Entries<ClassInfo>())
    if (entry.cls == cls) return &entry;
  return nullptr;
}

template <class ClassInfo>
std::string NameOf(const ClassInfo* cls) {
  if (cls == nullptr) return {};
  if (const auto* entry = EntryOf(cls)) return entry->Name();
  return ShortClassName(cls->className);
}

template <class ClassInfo>
std::string NoteOf(const ClassInfo* cls) {
  const auto* entry = EntryOf(cls);
  return entry != nullptr ? entry->Note() : std::string();
}

const THashClass*& DefaultHash() {
  static const THashClass* cls = nullptr;
  return cls;
}
const TCipherClass*& DefaultCipher() {
  static const TCipherClass* cls = nullptr;
  return cls;
}

}  // namespace

template <class ClassInfo>
std::string RegistryEntry<ClassInfo>::Name() const {
  return line.substr(0, line.find('='));
}

template <class ClassInfo>
std::string RegistryEntry<ClassInfo>::Note() const {
  const std::string_view trimmed = Trim(line);
  const auto equals = trimmed.find('=');
  return equals == std::string_view::npos ? std::string() : std::string(trimmed.substr(equals + 1));
}

template struct RegistryEntry<THashClass>;
template struct RegistryEntry<TCipherClass>;

std::string ShortClassName(std::string_view className) {
  return std::string(AfterFirstUnderscore(className));
}

void RegisterHashClass(const THashClass* cls, std::string_view name, std::string_view category) {
  Register(cls, name, category);
}
void RegisterCipherClass(const TCipherClass* cls, std::string_view name, std::string_view note) {
  Register(cls, name, note);
}
const std::vector<HashRegistryEntry>& HashRegistry() { return Entries<THashClass>(); }
const std::vector<CipherRegistryEntry>& CipherRegistry() { return Entries<TCipherClass>(); }
const THashClass* HashClassByName(std::string_view name) { return ByName<THashClass>(name); }
const TCipherClass* CipherClassByName(std::string_view name) { return ByName<TCipherClass>(name); }
std::string HashClassName(const THashClass* cls) { return NameOf(cls); }
std::string CipherClassName(const TCipherClass* cls) { return NameOf(cls); }
std::string HashClassNote(const THashClass* cls) { return NoteOf(cls); }
std::string CipherClassNote(const TCipherClass* cls) { return NoteOf(cls); }
const THashClass* DefaultHashClass() { return DefaultHash(); }
const TCipherClass* DefaultCipherClass() { return DefaultCipher(); }
void SetDefaultHashClass(const THashClass* cls) { DefaultHash() = cls; }
void SetDefaultCipherClass(const TCipherClass* cls) { DefaultCipher() = cls; }

}  // namespace hushlake
