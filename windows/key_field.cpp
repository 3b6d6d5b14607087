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
  // Where "Courier New" is missing, fontconfig may stand in a face that does
  // not say it is fixed-width (the URW faces ImageMagick brings along): the
  // usual fixed-width faces come next, then the platform's own, then any
  // installed face that is fixed-width.
  QFont font;
  bool fixed = false;
  for (const char* face :
       {"Courier New", "Liberation Mono", "DejaVu Sans Mono", "Noto Sans Mono"}) {
    font = QFont(QString::fromLatin1(face));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if ((fixed = QFontInfo(font).fixedPitch())) break;
  }
  if (!fixed) {
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
