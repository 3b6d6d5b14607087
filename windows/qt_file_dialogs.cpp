#include "windows/qt_file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "app/toolkit_text.h"
#include "windows/qt_utf8.h"

namespace hushlake {

QStringList QtNameFilters(std::string_view filter) {
  QStringList filters;
  for (const std::string& name : DialogNameFilters(filter))
    filters.append(QString::fromStdString(name));
  return filters;
}

QString QtDefaultSuffix(std::string_view defaultExtension) {
  QString suffix = FromUtf8(defaultExtension);
  while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.')))
    suffix.remove(0, 1);
  return suffix;
}

std::optional<std::string> QtFileDialogs::RunOpenDialog(const FileDialogSettings& dialog) {
  return Run(dialog, false);
}

std::optional<std::string> QtFileDialogs::RunSaveDialog(const FileDialogSettings& dialog) {
  return Run(dialog, true);
}

std::optional<std::string> QtFileDialogs::Run(const FileDialogSettings& settings, bool save) {
  QFileDialog dialog(parent_, FromUtf8(settings.title), *lastFolder_);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setNameFilters(QtNameFilters(settings.filter));
  dialog.setDefaultSuffix(QtDefaultSuffix(settings.defaultExtension));
  if (!settings.proposedName.empty()) dialog.selectFile(FromUtf8(settings.proposedName));
  // Busy pointers stay out of the dialog.
  const bool overridden = QApplication::overrideCursor() != nullptr;
  if (overridden) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  if (overridden) QApplication::restoreOverrideCursor();
  if (!accepted) return std::nullopt;
  const QString chosen = dialog.selectedFiles().constFirst();
  *lastFolder_ = QFileInfo(chosen).absolutePath();
  return chosen.toStdString();
}

}  // namespace hushlake
