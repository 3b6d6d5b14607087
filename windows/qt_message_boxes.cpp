#include "windows/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

#include "windows/qt_utf8.h"

namespace hushlake {

namespace {

// A message shown in the middle of a long action gets the normal pointer
// back while it waits for the user.
class NormalCursorWhileOpen {
 public:
  NormalCursorWhileOpen() : overridden_(QApplication::overrideCursor() != nullptr) {
    if (overridden_) QApplication::setOverrideCursor(Qt::ArrowCursor);
  }
  ~NormalCursorWhileOpen() {
    if (overridden_) QApplication::restoreOverrideCursor();
  }
  NormalCursorWhileOpen(const NormalCursorWhileOpen&) = delete;
  NormalCursorWhileOpen& operator=(const NormalCursorWhileOpen&) = delete;

 private:
  bool overridden_;
};

QString Title() { return QApplication::applicationDisplayName(); }

}  // namespace

void QtMessageBoxes::ShowInformation(std::string_view message) {
  NormalCursorWhileOpen cursor;
  QMessageBox::information(parent_, Title(), FromUtf8(message));
}

void QtMessageBoxes::ShowError(std::string_view message) {
  NormalCursorWhileOpen cursor;
  QMessageBox::critical(parent_, Title(), FromUtf8(message));
}

bool QtMessageBoxes::AskConfirmation(std::string_view message) {
  NormalCursorWhileOpen cursor;
  return QMessageBox::question(parent_, Title(), FromUtf8(message),
                               QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace hushlake
