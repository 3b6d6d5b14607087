#pragma once
// The key field: one line that shows "*" for every character typed, in a
// bold fixed-width face 16 pixels high.
#include <QLineEdit>

#include "app/ports.h"

namespace hushlake {

class KeyField : public QLineEdit, public KeyFieldPort {
  Q_OBJECT
 public:
  explicit KeyField(QWidget* parent = nullptr);

  std::string KeyText() const override;
  void SetKeyText(const std::string& text) override;
  void FocusKeyField() override;
};

// "Courier New" bold, 16 pixels; the platform's fixed-width face when that
// face is not installed.
QFont KeyFieldFont();

}  // namespace hushlake
