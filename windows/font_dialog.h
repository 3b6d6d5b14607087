#pragma once
// The editor's font dialog: an installed face, the size in points and the
// effects (underline, strike-out and colour), with a sample. Styles are not
// offered: the editor keeps only these.
#include <QDialog>

#include "app/editor_settings.h"

class QCheckBox;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace hushlake {

class TFontDialog : public QDialog {
  Q_OBJECT

 public:
  TFontDialog(const EditorFont& font, QWidget* owner);
  EditorFont ChosenFont() const;

 private:
  void ChooseColour();
  void UpdateSample();

  QFontComboBox* faceBox_;
  QSpinBox* sizeBox_;
  QCheckBox* underlineBox_;
  QCheckBox* strikeOutBox_;
  QToolButton* colourButton_;
  QLabel* sample_;
  BgrColour colour_;
};

}  // namespace hushlake
