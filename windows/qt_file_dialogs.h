#pragma once
// The standard open and save dialogs, configured by the logic's dialog
// settings. The logic asks its own question before replacing a file, so the
// save dialog does not ask again.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

#include "app/ports.h"

namespace hushlake {

// The dialog's name filters and default suffix, as Qt wants them.
QStringList QtNameFilters(std::string_view filter);
QString QtDefaultSuffix(std::string_view defaultExtension);

class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  // Dialogs of another window that open in the folder of the last file
  // chosen in either.
  QtFileDialogs(QWidget* parent, const QtFileDialogs& sharesFolderWith)
      : parent_(parent), lastFolder_(sharesFolderWith.lastFolder_) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> RunOpenDialog(const FileDialogSettings& dialog) override;
  std::optional<std::string> RunSaveDialog(const FileDialogSettings& dialog) override;

 private:
  std::optional<std::string> Run(const FileDialogSettings& dialog, bool save);

  QPointer<QWidget> parent_;
  // The folder of the last chosen file: the next dialog opens there.
  std::shared_ptr<QString> lastFolder_ = std::make_shared<QString>();
};

}  // namespace hushlake
