#include "windows/about_form.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "windows/info_window.h"
#include "windows/manual_location.h"

namespace hushlake {
namespace {

QLabel* CreditLine(const QString& text, const QColor& colour, int top, QWidget& parent) {
  auto* label = new QLabel(text, &parent);
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(13);
  label->setFont(font);
  label->setStyleSheet(QStringLiteral("background: transparent; color: %1;").arg(colour.name()));
  label->setGeometry(24, top, 520, 20);
  return label;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* owner)
    : QWidget(owner), background_(QStringLiteral(":/images/about_background.jpg")) {
  info_window::SetUp(*this, QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("Hushlake - About"));

  QLabel* title = info_window::YellowLabel(QStringLiteral("Hushlake - About"),
                                           QStringLiteral("Times New Roman"), 24, *this);
  title->setObjectName(QStringLiteral("TitleLabel"));
  title->setGeometry(24, 18, 480, 32);
  versionLabel_ =
      info_window::YellowLabel(QStringLiteral("Version Id"), QStringLiteral("Tahoma"), 13, *this);
  versionLabel_->setObjectName(QStringLiteral("VersionLabel"));
  versionLabel_->setGeometry(24, 60, 480, 20);

  const QColor yellow(255, 255, 0);
  CreditLine(QStringLiteral("Hides a text in the pixels of a picture"), yellow, 104, *this);
  CreditLine(QStringLiteral("and reads it back with the same key."), yellow, 124, *this);
  const QColor black(0, 0, 0);
  CreditLine(QStringLiteral("Hashes, ciphers and picture coding written for Hushlake."), black, 484,
             *this);
  CreditLine(QStringLiteral("Windows drawn with the Qt toolkit."), black, 504, *this);
  CreditLine(QStringLiteral("Provided as it is, without any warranty."), black, 524, *this);

  QPushButton* website =
      info_window::Button(QStringLiteral("Website  "), QStringLiteral("Visit Varnel"), *this);
  website->setObjectName(QStringLiteral("WebsiteButton"));
  website->setGeometry(560, 534, 120, 30);
  QPushButton* close =
      info_window::Button(QStringLiteral("Close"), QStringLiteral("Close Window"), *this);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setGeometry(560, 574, 120, 30);
  close->setDefault(true);
  close->setAutoDefault(true);
  setTabOrder(close, website);

  connect(website, &QPushButton::clicked, this, [this] { OpenManual(this); });
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  // A default button acts on Enter only inside a dialog; this window is a
  // plain one and presses its Close button itself. With the focus on
  // Website, Enter opens the web site, as it does on any focused button.
  for (const int enter : {Qt::Key_Return, Qt::Key_Enter})
    connect(new QShortcut(QKeySequence(enter), this), &QShortcut::activated, this, [this, close] {
      if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused && focused != close)
        return focused->click();
      close->click();
    });
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::hide);
}

void TAboutForm::showEvent(QShowEvent* event) {
  info_window::CentreOnScreen(*this);
  versionLabel_->setText(QStringLiteral("Software Version: ") + QStringLiteral(HUSHLAKE_VERSION));
  // The default button starts with the focus: Enter closes the window
  // until the user tabs to Website.
  if (auto* close = findChild<QPushButton*>(QStringLiteral("CloseButton"))) close->setFocus();
  QWidget::showEvent(event);
}

void TAboutForm::paintEvent(QPaintEvent*) { info_window::Paint(*this, background_); }

}  // namespace hushlake
