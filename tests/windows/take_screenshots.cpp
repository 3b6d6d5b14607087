// Draws the windows into PNG files so they can be looked at after every
// visible change: the main window at its start and minimum size (there also
// with the longest choice label and with Sealed on), with a small picture,
// after an Encrypt (and the result's analysis report) and at 1600 x 1000,
// the editor at its start and minimum size and at 1600 x 1000, the font
// dialog, the help and about windows, and the picture the README shows. Not
// a test; run it by hand:
//   build/windows/hushlake_screenshots OUTPUT_FOLDER
#include <QCheckBox>
#include <QComboBox>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "windows/font_dialog.h"
#include "windows/tool_icons.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

namespace {

// A small landscape of our own to hide a text in.
QImage Landscape(QSize size) {
  QImage image(size, QImage::Format_RGB888);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, QColor(0x2a, 0x5d, 0x9c));
  sky.setColorAt(0.6, QColor(0xf0, 0xc2, 0x7b));
  painter.fillRect(image.rect(), sky);
  painter.setBrush(QColor(0xfa, 0xe3, 0x8f));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPointF(size.width() * 0.72, size.height() * 0.38), 38, 38);
  const auto hills = [&](qreal base, qreal height, QColor colour, qreal phase) {
    QPainterPath path(QPointF(0, size.height()));
    for (int x = 0; x <= size.width(); x += 8)
      path.lineTo(x, base - height * std::sin(x / 90.0 + phase) * std::sin(x / 37.0 + phase));
    path.lineTo(size.width(), size.height());
    painter.fillPath(path, colour);
  };
  hills(size.height() * 0.62, 40, QColor(0x3d, 0x6b, 0x4f), 0.4);
  hills(size.height() * 0.72, 26, QColor(0x2c, 0x4f, 0x3b), 2.1);
  QLinearGradient lake(0, size.height() * 0.78, 0, size.height());
  lake.setColorAt(0, QColor(0x4f, 0x86, 0xb8));
  lake.setColorAt(1, QColor(0x1c, 0x3f, 0x66));
  painter.fillRect(QRectF(0, size.height() * 0.78, size.width(), size.height() * 0.22), lake);
  return image;
}

void Save(QWidget& widget, const QString& folder, const char* name) {
  widget.grab().save(folder + QLatin1Char('/') + QString::fromLatin1(name));
}

QWidget* TopLevel(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QString::fromLatin1(name) && widget->isVisible()) return widget;
  return nullptr;
}

// The main window with the editor beside it, on a plain background.
QImage SideBySide(const QPixmap& main, const QPixmap& editor) {
  const int gap = 24;
  QImage picture(main.width() + editor.width() + 3 * gap,
                 std::max(main.height(), editor.height()) + 2 * gap, QImage::Format_RGB32);
  picture.fill(QColor(0x4a, 0x55, 0x68));
  QPainter painter(&picture);
  painter.drawPixmap(gap, gap, main);
  painter.drawPixmap(main.width() + 2 * gap, gap, editor);
  return picture;
}

// Every tool image in its normal, hover and disabled look, at twice the size.
QImage ToolImageSheet() {
  const char* names[] = {"open_text", "save_text", "open_image", "save_image", "encrypt",
                         "decrypt",   "editor",    "help",       "about",      "exit"};
  QImage sheet(10 * 104 + 8, 3 * 104 + 8, QImage::Format_RGB32);
  sheet.fill(QColor(220, 220, 220));
  QPainter painter(&sheet);
  int column = 0;
  for (const char* name : names) {
    const QIcon icon = ToolIcon(QString::fromLatin1(name));
    int row = 0;
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled})
      painter.drawPixmap(8 + 104 * column, 8 + 104 * row++, icon.pixmap(QSize(48, 48), 2.0, mode));
    ++column;
  }
  return sheet;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) return 2;
  const QString folder = QString::fromLocal8Bit(argv[1]);
  ToolImageSheet().save(folder + QStringLiteral("/tool_images.png"));
  QTemporaryDir scratch;
  UseTemporarySettings(scratch);
  const QString picture = scratch.filePath(QStringLiteral("lake.bmp"));
  Landscape(QSize(640, 420)).save(picture, "BMP");

  WindowUnderTest window;
  QApplication::processEvents();
  Save(window.form, folder, "main_start.png");
  window.form.resize(700, 500);
  QApplication::processEvents();
  Save(window.form, folder, "main_minimum.png");
  // The longest choice label wraps at the minimum size; Sealed greys the lists.
  window.Control<QComboBox>("HashCombo")->setCurrentText(QStringLiteral("Sapphire II-320"));
  window.Control<QComboBox>("CipherCombo")->setCurrentText(QStringLiteral("SAFER-SK128"));
  window.Control<QComboBox>("ModeCombo")->setCurrentIndex(1);
  QApplication::processEvents();
  Save(window.form, folder, "main_minimum_longest.png");
  window.Control<QCheckBox>("SealedCheck")->setChecked(true);
  QApplication::processEvents();
  Save(window.form, folder, "main_minimum_sealed.png");
  window.Control<QCheckBox>("SealedCheck")->setChecked(false);
  window.Control<QComboBox>("HashCombo")->setCurrentIndex(0);
  window.Control<QComboBox>("CipherCombo")->setCurrentIndex(0);
  window.Control<QComboBox>("ModeCombo")->setCurrentIndex(0);
  window.form.resize(700, 648);

  // A small picture, enlarged pixel by pixel.
  const QString small = scratch.filePath(QStringLiteral("small.bmp"));
  Landscape(QSize(40, 30)).save(small, "BMP");
  window.OpenPicture(small.toStdString());
  QApplication::processEvents();
  Save(window.form, folder, "main_small_picture.png");

  window.OpenPicture(picture.toStdString());
  QWidget& editor = window.companions->EditorWindow();
  window.companions->Editor().ShowEditor();
  editor.resize(640, 460);
  window.companions->Editor().ReplaceText("Meet me at the old mill at noon.\nBring the map.");
  window.TypeKey(QStringLiteral("Correct Horse 42"));
  Save(window.form, folder, "main_loaded.png");
  window.Trigger("EncryptAction");
  QApplication::processEvents();
  Save(window.form, folder, "main_encrypted.png");
  // The report the result panel's context menu opens.
  if (QWidget* report = window.form.OpenAnalysisReport(window.form.EncryptedPanel())) {
    QApplication::processEvents();
    Save(*report, folder, "analysis_report.png");
    report->close();
  }
  Save(editor, folder, "editor_encrypted.png");
  // The README's picture: the windows as Encrypt leaves them, the editor
  // showing the cipher text that went into the picture.
  SideBySide(window.form.grab(), editor.grab()).save(folder + QStringLiteral("/readme.png"));
  window.form.resize(1600, 1000);
  QApplication::processEvents();
  Save(window.form, folder, "main_1600x1000.png");
  window.form.resize(700, 648);

  // The saved picture opened again and read back.
  const std::string saved = scratch.filePath(QStringLiteral("lake_hidden.bmp")).toStdString();
  window.dialogs.answers.push_back(saved);
  window.Trigger("SaveImageAction");
  window.OpenPicture(saved);
  window.Trigger("DecryptAction");
  QApplication::processEvents();
  Save(editor, folder, "editor.png");
  editor.resize(editor.minimumSize());
  QApplication::processEvents();
  Save(editor, folder, "editor_minimum.png");
  editor.resize(1600, 1000);
  QApplication::processEvents();
  Save(editor, folder, "editor_1600x1000.png");

  TFontDialog font(EditorFont{"DejaVu Serif", 0x000080, 14, true, false}, &editor);
  font.show();
  QApplication::processEvents();
  Save(font, folder, "font_dialog.png");
  font.resize(font.minimumSizeHint());
  QApplication::processEvents();
  Save(font, folder, "font_dialog_minimum.png");
  font.hide();

  window.Trigger("HelpContents");
  if (QWidget* help = TopLevel("HelpForm")) Save(*help, folder, "help.png");
  window.Trigger("AboutAction");
  if (QWidget* about = TopLevel("AboutForm")) Save(*about, folder, "about.png");
  return 0;
}
