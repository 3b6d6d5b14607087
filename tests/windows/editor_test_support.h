#pragma once
// What the editor window tests share: a settings store in a temporary folder
// (the fakes of the ports are in tests/common/fake_ports.h).
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace hushlake::window_test {

// Points every QSettings of the process at a fresh folder for its lifetime.
class TemporarySettings {
 public:
  TemporarySettings() {
    QStandardPaths::setTestModeEnabled(true);
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
      QSettings::setPath(format, QSettings::UserScope, folder_.path());
    }
  }
  QString Folder() const { return folder_.path(); }

 private:
  QTemporaryDir folder_;
};

}  // namespace hushlake::window_test
