#include "windows/help_form.h"

#include <QLabel>
#include <QShortcut>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "windows/help_text.h"
#include "windows/info_window.h"
#include "windows/manual_location.h"

namespace hushlake {
namespace {

const QColor kTextBackground(220, 220, 220);
constexpr int kHeadingPointSize = 10;
constexpr int kBodyPointSize = 8;

QFont BodyFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSize(kBodyPointSize);
  return font;
}

}  // namespace

THelpForm::THelpForm(QWidget* owner)
    : QWidget(owner),
      background_(QStringLiteral(":/images/help_background.jpg")),
      helpRichEdit_(new QTextEdit(this)) {
  info_window::SetUp(*this, QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Hushlake - Help and Usage"));

  QLabel* title = info_window::YellowLabel(QStringLiteral("Hushlake - Help and Usage"),
                                           QStringLiteral("Times New Roman"), 24, *this);
  title->setObjectName(QStringLiteral("TitleLabel"));
  title->setGeometry(20, 14, 520, 32);

  helpRichEdit_->setObjectName(QStringLiteral("HelpRichEdit"));
  helpRichEdit_->setReadOnly(true);
  helpRichEdit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  helpRichEdit_->setFont(BodyFont());
  helpRichEdit_->setPlainText(
      QString::fromUtf8(HelpUsageText().data(), static_cast<qsizetype>(HelpUsageText().size())));
  helpRichEdit_->setGeometry(20, 54, 520, 560);

  QPushButton* website =
      info_window::Button(QStringLiteral("Website"), QStringLiteral("Open the manual"), *this);
  website->setObjectName(QStringLiteral("WebsiteButton"));
  website->setGeometry(560, 534, 120, 30);
  QPushButton* close =
      info_window::Button(QStringLiteral("Close"), QStringLiteral("Close Window"), *this);
  close->setObjectName(QStringLiteral("CloseButton"));
  close->setGeometry(560, 574, 120, 30);

  connect(website, &QPushButton::clicked, this, [this] { OpenManual(this); });
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
          &QWidget::hide);
}

void THelpForm::showEvent(QShowEvent* event) {
  info_window::CentreOnScreen(*this);
  FormShow();
  QWidget::showEvent(event);
}

void THelpForm::paintEvent(QPaintEvent*) { info_window::Paint(*this, background_); }

void THelpForm::FormShow() {
  QPalette palette = helpRichEdit_->palette();
  palette.setColor(QPalette::Base, kTextBackground);
  palette.setColor(QPalette::Text, Qt::black);
  helpRichEdit_->setPalette(palette);
  MarkHeadings();
}

void THelpForm::MarkHeadings() {
  QTextDocument* document = helpRichEdit_->document();
  QTextCharFormat heading;
  heading.setFontWeight(QFont::Bold);
  heading.setFontPointSize(kHeadingPointSize);
  for (std::string_view text : HelpHeadings) {
    const QString wanted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QTextCursor found = document->find(wanted, 0, QTextDocument::FindCaseSensitively);
    if (!found.isNull()) found.mergeCharFormat(heading);
  }
  QTextCursor cursor = helpRichEdit_->textCursor();
  cursor.clearSelection();
  cursor.movePosition(QTextCursor::Start);
  helpRichEdit_->setTextCursor(cursor);
}

}  // namespace hushlake
