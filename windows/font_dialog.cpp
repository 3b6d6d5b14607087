#include "windows/font_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "windows/qt_colours.h"

namespace hushlake {
namespace {

constexpr int kSwatchWidth = 40;
constexpr int kSwatchHeight = 16;

}  // namespace

TFontDialog::TFontDialog(const EditorFont& font, QWidget* owner)
    : QDialog(owner),
      faceBox_(new QFontComboBox(this)),
      sizeBox_(new QSpinBox(this)),
      underlineBox_(new QCheckBox(tr("&Underline"), this)),
      strikeOutBox_(new QCheckBox(tr("Stri&keout"), this)),
      colourButton_(new QToolButton(this)),
      sample_(new QLabel(tr("AaBbYyZz 0123"), this)),
      colour_(font.colour) {
  setWindowTitle(tr("Font"));
  setObjectName(QStringLiteral("FontDialog"));
  faceBox_->setObjectName(QStringLiteral("FaceBox"));
  sizeBox_->setObjectName(QStringLiteral("SizeBox"));
  colourButton_->setObjectName(QStringLiteral("ColourButton"));
  underlineBox_->setObjectName(QStringLiteral("UnderlineBox"));
  strikeOutBox_->setObjectName(QStringLiteral("StrikeOutBox"));
  // Only the faces in the list: a typed name that matches no installed face
  // would be stored and shown as some fallback face.
  faceBox_->setEditable(false);
  faceBox_->setCurrentFont(QFont(QString::fromStdString(font.name)));
  underlineBox_->setChecked(font.underline);
  strikeOutBox_->setChecked(font.strikeOut);
  sizeBox_->setRange(1, 200);
  sizeBox_->setValue(font.pointSize);
  sizeBox_->setSuffix(tr(" pt"));
  colourButton_->setToolTip(tr("Font colour"));
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumSize(320, 80);
  sample_->setFrameShape(QFrame::StyledPanel);
  sample_->setAutoFillBackground(true);

  auto* form = new QFormLayout;
  form->addRow(tr("&Font:"), faceBox_);
  form->addRow(tr("&Size:"), sizeBox_);
  auto* effects = new QGroupBox(tr("Effects"), this);
  effects->setObjectName(QStringLiteral("EffectsBox"));
  auto* effectsRows = new QFormLayout(effects);
  effectsRows->addRow(strikeOutBox_);
  effectsRows->addRow(underlineBox_);
  effectsRows->addRow(tr("&Colour:"), colourButton_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(effects);
  layout->addWidget(sample_);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(colourButton_, &QToolButton::clicked, this, &TFontDialog::ChooseColour);
  connect(faceBox_, &QFontComboBox::currentFontChanged, this, &TFontDialog::UpdateSample);
  connect(sizeBox_, &QSpinBox::valueChanged, this, &TFontDialog::UpdateSample);
  connect(underlineBox_, &QCheckBox::toggled, this, &TFontDialog::UpdateSample);
  connect(strikeOutBox_, &QCheckBox::toggled, this, &TFontDialog::UpdateSample);
  UpdateSample();
}

EditorFont TFontDialog::ChosenFont() const {
  // The list's own text: always the name of an installed face.
  return EditorFont{faceBox_->currentText().toStdString(), colour_, sizeBox_->value(),
                    underlineBox_->isChecked(), strikeOutBox_->isChecked()};
}

void TFontDialog::ChooseColour() {
  const QColor chosen = QColorDialog::getColor(ToQColor(colour_), this, tr("Font colour"));
  if (!chosen.isValid()) return;
  colour_ = ToBgrColour(chosen);
  UpdateSample();
}

void TFontDialog::UpdateSample() {
  QFont font = faceBox_->currentFont();
  font.setPointSize(sizeBox_->value());
  font.setUnderline(underlineBox_->isChecked());
  font.setStrikeOut(strikeOutBox_->isChecked());
  sample_->setFont(font);
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, ToQColor(colour_));
  sample_->setPalette(palette);
  QPixmap swatch(kSwatchWidth, kSwatchHeight);
  swatch.fill(ToQColor(colour_));
  colourButton_->setIcon(QIcon(swatch));
  colourButton_->setIconSize(swatch.size());
}

}  // namespace hushlake
