#pragma once
// The three kinds of modal message box, titled with the application's name.
#include <QPointer>
#include <QWidget>

#include "app/ports.h"

namespace hushlake {

class QtMessageBoxes : public MessageBoxes {
 public:
  explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowInformation(std::string_view message) override;
  void ShowError(std::string_view message) override;
  bool AskConfirmation(std::string_view message) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace hushlake
