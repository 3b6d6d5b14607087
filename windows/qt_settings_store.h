#pragma once
// The per-user settings store on QSettings (organisation "Varnel",
// application "Hushlake"). Registry-style key paths map to groups:
// "Software\Varnel\Font\" is the group "Font", "Software\Varnel\welcome"
// the entry "welcome".
#include <QString>

#include "app/ports.h"

namespace hushlake {

inline constexpr char SettingsOrganisation[] = "Varnel";
inline constexpr char SettingsApplication[] = "Hushlake";

// The QSettings path of a registry-style key path.
QString SettingsGroupOf(std::string_view keyPath);

class QtSettingsStore : public SettingsStore {
 public:
  bool HasKey(std::string_view key) const override;
  // A key without values: an empty entry of that name.
  void CreateKey(std::string_view key) override;
};

}  // namespace hushlake
