#pragma once
// A small modeless find dialog: the text to find, "Match case", and
// "Find Next", which asks its owner to look for the next occurrence.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace hushlake {

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* owner);

  QString FindText() const;
  void SetFindText(const QString& text);
  bool MatchCase() const;
  void SetMatchCase(bool matchCase);

 Q_SIGNALS:
  void FindNext(const QString& text, bool matchCase);

 private:
  void UpdateFindButton();

  QLineEdit* findEdit_;
  QCheckBox* matchCaseBox_;
  QPushButton* findNextButton_;
};

}  // namespace hushlake
