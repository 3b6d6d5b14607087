#pragma once
// The Help window: borderless, above other windows, centred on the screen,
// the usage text over a picture of its own.
#include <QTextEdit>
#include <QWidget>

#include "windows/info_window.h"

class QPushButton;

namespace hushlake {

class THelpForm : public QWidget {
  Q_OBJECT

 public:
  explicit THelpForm(QWidget* owner = nullptr);

  QTextEdit* HelpRichEdit() const { return helpRichEdit_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void FormShow();
  void MarkHeadings();

  info_window::Background background_;
  QTextEdit* helpRichEdit_;
};

}  // namespace hushlake
