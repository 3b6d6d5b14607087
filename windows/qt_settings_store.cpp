#include "windows/qt_settings_store.h"

#include <QSettings>

namespace hushlake {

QString SettingsGroupOf(std::string_view keyPath) {
  QString path = QString::fromUtf8(keyPath.data(), static_cast<qsizetype>(keyPath.size()));
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  for (const QString& prefix :
       {QStringLiteral("Software/Varnel/"), QStringLiteral("Software/Varnel")}) {
    if (path.startsWith(prefix, Qt::CaseInsensitive)) {
      path.remove(0, prefix.size());
      break;
    }
  }
  while (path.endsWith(QLatin1Char('/'))) path.chop(1);
  return path;
}

bool QtSettingsStore::HasKey(std::string_view key) const {
  const QString group = SettingsGroupOf(key);
  QSettings settings(QString::fromLatin1(SettingsOrganisation),
                     QString::fromLatin1(SettingsApplication));
  return settings.contains(group) || settings.childGroups().contains(group);
}

void QtSettingsStore::CreateKey(std::string_view key) {
  const QString group = SettingsGroupOf(key);
  if (group.isEmpty()) return;
  QSettings settings(QString::fromLatin1(SettingsOrganisation),
                     QString::fromLatin1(SettingsApplication));
  settings.setValue(group, QString());
}

}  // namespace hushlake
