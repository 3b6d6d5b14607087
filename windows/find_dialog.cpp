#include "windows/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hushlake {

TFindDialog::TFindDialog(QWidget* owner)
    : QDialog(owner),
      findEdit_(new QLineEdit(this)),
      matchCaseBox_(new QCheckBox(tr("Match &case"), this)),
      findNextButton_(new QPushButton(tr("&Find Next"), this)) {
  setWindowTitle(tr("Find"));
  setObjectName(QStringLiteral("FindDialog"));
  findEdit_->setObjectName(QStringLiteral("FindEdit"));
  matchCaseBox_->setObjectName(QStringLiteral("MatchCaseBox"));
  findNextButton_->setObjectName(QStringLiteral("FindNextButton"));
  findNextButton_->setDefault(true);

  auto* label = new QLabel(tr("Fi&nd what:"), this);
  label->setBuddy(findEdit_);
  auto* cancelButton = new QPushButton(tr("Cancel"), this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(label, 0, 0);
  layout->addWidget(findEdit_, 0, 1);
  layout->addWidget(findNextButton_, 0, 2);
  layout->addWidget(matchCaseBox_, 1, 0, 1, 2);
  layout->addWidget(cancelButton, 1, 2);
  layout->setColumnMinimumWidth(1, 220);
  setSizeGripEnabled(false);

  connect(findEdit_, &QLineEdit::textChanged, this, &TFindDialog::UpdateFindButton);
  connect(findNextButton_, &QPushButton::clicked, this,
          [this] { Q_EMIT FindNext(FindText(), MatchCase()); });
  connect(cancelButton, &QPushButton::clicked, this, &QDialog::hide);
  UpdateFindButton();
}

QString TFindDialog::FindText() const { return findEdit_->text(); }

void TFindDialog::SetFindText(const QString& text) {
  findEdit_->setText(text);
  findEdit_->selectAll();
}

bool TFindDialog::MatchCase() const { return matchCaseBox_->isChecked(); }

void TFindDialog::SetMatchCase(bool matchCase) { matchCaseBox_->setChecked(matchCase); }

void TFindDialog::UpdateFindButton() { findNextButton_->setEnabled(!findEdit_->text().isEmpty()); }

}  // namespace hushlake
