#include "windows/font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
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
      colourButton_(new QToolButton(this)),
      sample_(new QLabel(tr("AaBbYyZz 0123"), this)),
      colour_(font.colour) {
  setWindowTitle(tr("Font"));
  setObjectName(QStringLiteral("FontDialog"));
  faceBox_->setObjectName(QStringLiteral("FaceBox"));
  sizeBox_->setObjectName(QStringLiteral("SizeBox"));
  colourButton_->setObjectName(QStringLiteral("ColourButton"));
  faceBox_->setCurrentFont(QFont(QString::fromStdString(font.name)));
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
  form->addRow(tr("&Colour:"), colourButton_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(sample_);
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(colourButton_, &QToolButton::clicked, this, &TFontDialog::ChooseColour);
  connect(faceBox_, &QFontComboBox::currentFontChanged, this, &TFontDialog::UpdateSample);
  connect(sizeBox_, &QSpinBox::valueChanged, this, &TFontDialog::UpdateSample);
  UpdateSample();
}

EditorFont TFontDialog::ChosenFont() const {
  return EditorFont{faceBox_->currentFont().family().toStdString(), colour_, sizeBox_->value()};
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
