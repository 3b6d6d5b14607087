#pragma once
// The editor's settings in the per-user QSettings store of organisation
// "Varnel", application "Hushlake": groups "Font" and "Background".
#include <QSettings>

#include "app/editor_ports.h"

namespace hushlake {

class QtEditorSettings : public EditorSettingsStore {
 public:
  QtEditorSettings();

  bool HasGroup(std::string_view group) const override;
  std::optional<std::string> ReadString(std::string_view group,
                                        std::string_view name) const override;
  std::optional<int> ReadInteger(std::string_view group, std::string_view name) const override;
  void WriteString(std::string_view group, std::string_view name, std::string_view value) override;
  void WriteInteger(std::string_view group, std::string_view name, int value) override;

 private:
  // QSettings reads are const in meaning but not in signature.
  mutable QSettings settings_;
};

}  // namespace hushlake
