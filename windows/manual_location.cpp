#include "windows/manual_location.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace hushlake {

QUrl ManualUrl() {
  const QString besideProgram = QDir(QCoreApplication::applicationDirPath())
                                    .filePath(QStringLiteral("../share/hushlake/manual.html"));
  for (const QString& candidate : {besideProgram, QStringLiteral(HUSHLAKE_INSTALLED_MANUAL),
                                   QStringLiteral(HUSHLAKE_SOURCE_MANUAL)}) {
    const QFileInfo file(candidate);
    if (file.isFile()) return QUrl::fromLocalFile(file.canonicalFilePath());
  }
  return {};
}

void OpenManual(QWidget* parent) {
  const QUrl manual = ManualUrl();
  if (manual.isEmpty() || !QDesktopServices::openUrl(manual)) {
    QMessageBox::information(parent, QStringLiteral("Hushlake"),
                             QStringLiteral("The manual could not be opened.\n"
                                            "It is installed with Hushlake as manual.html."));
  }
}

}  // namespace hushlake
