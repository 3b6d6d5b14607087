#include "windows/key_field.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QProxyStyle>

namespace hushlake {

namespace {

// Hidden characters show as "*", whatever the platform's style draws.
class StarEchoStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

QFont KeyFieldFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  // Without Courier New the system's monospace face may not report fixed
  // pitch (a fontconfig entry without its spacing): then the first face that does.
  if (!QFontInfo(font).fixedPitch()) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
      for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family)) {
          font = QFont(family);
          font.setFixedPitch(true);
          break;
        }
      }
    }
  }
  font.setBold(true);
  font.setPixelSize(16);
  return font;
}

KeyField::KeyField(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("KeyEdit"));
  auto* style = new StarEchoStyle;  // NOLINT: owned by this widget through the parent below
  style->setParent(this);
  setStyle(style);
  setEchoMode(QLineEdit::Password);
  setFont(KeyFieldFont());
}

std::string KeyField::KeyText() const { return text().toStdString(); }

void KeyField::SetKeyText(const std::string& keyText) { setText(QString::fromStdString(keyText)); }

void KeyField::FocusKeyField() { setFocus(Qt::OtherFocusReason); }

}  // namespace hushlake
