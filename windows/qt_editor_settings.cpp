#include "windows/qt_editor_settings.h"

namespace hushlake {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyOf(std::string_view group, std::string_view name) {
  return ToQString(group) + QLatin1Char('/') + ToQString(name);
}

}  // namespace

QtEditorSettings::QtEditorSettings()
    : settings_(QStringLiteral("Varnel"), QStringLiteral("Hushlake")) {}

bool QtEditorSettings::HasGroup(std::string_view group) const {
  settings_.sync();
  return settings_.childGroups().contains(ToQString(group));
}

std::optional<std::string> QtEditorSettings::ReadString(std::string_view group,
                                                        std::string_view name) const {
  const QVariant value = settings_.value(KeyOf(group, name));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

std::optional<int> QtEditorSettings::ReadInteger(std::string_view group,
                                                 std::string_view name) const {
  const QVariant value = settings_.value(KeyOf(group, name));
  bool isNumber = false;
  const int number = value.toInt(&isNumber);
  if (!value.isValid() || !isNumber) return std::nullopt;
  return number;
}

void QtEditorSettings::WriteString(std::string_view group, std::string_view name,
                                   std::string_view value) {
  settings_.setValue(KeyOf(group, name), ToQString(value));
  settings_.sync();
}

void QtEditorSettings::WriteInteger(std::string_view group, std::string_view name, int value) {
  settings_.setValue(KeyOf(group, name), value);
  settings_.sync();
}

}  // namespace hushlake
