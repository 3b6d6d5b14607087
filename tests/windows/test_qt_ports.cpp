// The Qt side of the ports: settings paths, real message boxes and file
// dialogs answered by the test, pictures handed to Qt, and the tool images.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "windows/editor_icons.h"
#include "windows/picture_image.h"
#include "windows/qt_file_dialogs.h"
#include "windows/qt_message_boxes.h"
#include "windows/tool_icons.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

namespace {

// Runs Answer on the next modal window once it is open.
template <class Window, class Answer>
void WhenOpen(Answer answer) {
  QTimer::singleShot(0, [answer] {
    for (int tries = 0; tries < 200; ++tries) {
      if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget()))
        return answer(window);
      QTest::qWait(10);
    }
  });
}

}  // namespace

class QtPortsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    UseTemporarySettings(folder_);
  }

  void RegistryStyleKeysMapToGroups_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("group");
    QTest::newRow("welcome") << QStringLiteral("Software\\Varnel\\welcome")
                             << QStringLiteral("welcome");
    QTest::newRow("font") << QStringLiteral("Software\\Varnel\\Font\\") << QStringLiteral("Font");
    QTest::newRow("background") << QStringLiteral("Software\\Varnel\\Background\\")
                                << QStringLiteral("Background");
    QTest::newRow("plain") << QStringLiteral("Window/Geometry")
                           << QStringLiteral("Window/Geometry");
  }
  void RegistryStyleKeysMapToGroups() {
    QFETCH(QString, key);
    QFETCH(QString, group);
    QCOMPARE(SettingsGroupOf(key.toStdString()), group);
  }

  void CreatedKeyPersistsAndGroupsCountAsKeys() {
    QtSettingsStore store;
    QVERIFY(!store.HasKey("Software\\Varnel\\welcome"));
    store.CreateKey("Software\\Varnel\\welcome");
    QVERIFY(QtSettingsStore().HasKey("Software\\Varnel\\welcome"));
    QSettings(QString::fromLatin1(SettingsOrganisation), QString::fromLatin1(SettingsApplication))
        .setValue(QStringLiteral("Font/FontSize"), 14);
    QVERIFY(store.HasKey("Software\\Varnel\\Font\\"));
    QVERIFY(!store.HasKey("Software\\Varnel\\Background\\"));
  }

  void NameFiltersAndSuffixesAsQtWantsThem() {
    QCOMPARE(QtNameFilters(dialogs::OpenText.filter),
             QStringList({QStringLiteral("All Supported (*.txt *.htm *.html)"),
                          QStringLiteral("HTM(*.htm)"), QStringLiteral("HTML(*.html)"),
                          QStringLiteral("Text file (*.txt)")}));
    QCOMPARE(
        QtNameFilters(dialogs::OpenPicture.filter),
        QStringList({QStringLiteral("Pictures (*.bmp *.png)"), QStringLiteral("Bitmaps (*.bmp)"),
                     QStringLiteral("PNG pictures (*.png)")}));
    QCOMPARE(QtDefaultSuffix("*.bmp"), QStringLiteral("bmp"));
    QCOMPARE(QtDefaultSuffix("txt"), QStringLiteral("txt"));
  }

  void ConfirmationAnswersYesAndNo() {
    QtMessageBoxes boxes;
    for (const bool yes : {true, false}) {
      QString asked;
      WhenOpen<QMessageBox>([&asked, yes](QMessageBox* box) {
        asked = box->text();
        box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
      });
      QCOMPARE(boxes.AskConfirmation(messages::ReplaceTextFile), yes);
      QCOMPARE(asked, QStringLiteral("Replace Existing File?"));
    }
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenOpen<QMessageBox>([&icon](QMessageBox* box) {
      icon = box->icon();
      box->accept();
    });
    boxes.ShowError(messages::WrongDepth);
    QCOMPARE(icon, QMessageBox::Critical);
  }

  void SaveDialogCarriesTitleFilterSuffixAndProposedName() {
    QtFileDialogs dialogs;
    QString title;
    QStringList filters;
    QString suffix;
    bool confirmsOverwrite = true;
    const QString chosen = folder_.filePath(QStringLiteral("notes.txt"));
    WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      suffix = dialog->defaultSuffix();
      confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      dialog->selectFile(chosen);
      static_cast<QDialog*>(dialog)->accept();
    });
    const std::optional<std::string> answer = dialogs.RunSaveDialog(dialogs::SaveText);
    QCOMPARE(title, QStringLiteral("Save decrypted text"));
    QCOMPARE(filters.size(), 3);
    QCOMPARE(suffix, QStringLiteral("txt"));
    QVERIFY(!confirmsOverwrite);  // the logic asks its own question
    QVERIFY(answer.has_value());
    QCOMPARE(QString::fromStdString(*answer), chosen);

    WhenOpen<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    QVERIFY(!dialogs.RunOpenDialog(dialogs::OpenPicture).has_value());
  }

  void PicturesReachQtPixelForPixel_data() {
    QTest::addColumn<int>("format");
    QTest::newRow("8-bit") << int(PixelFormat::Indexed8);
    QTest::newRow("24-bit") << int(PixelFormat::Bgr24);
    QTest::newRow("32-bit") << int(PixelFormat::Bgrx32);
  }
  void PicturesReachQtPixelForPixel() {
    QFETCH(int, format);
    const Picture picture = test::RandomPicture(7, 5, static_cast<PixelFormat>(format), 7);
    const QImage image = ToQImage(picture);
    QCOMPARE(image.size(), QSize(7, 5));
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 7; ++x) {
        const std::uint8_t* pixel = picture.Row(y) + x * picture.BytesPerPixel();
        QRgb expected;
        if (picture.Format() == PixelFormat::Indexed8) {
          const PaletteEntry& entry = picture.GetPalette()[*pixel];
          expected = qRgb(entry.red, entry.green, entry.blue);
        } else {
          expected = qRgb(pixel[2], pixel[1], pixel[0]);
        }
        QCOMPARE(image.pixel(x, y), expected);
      }
    }
    QVERIFY(ToQImage(Picture()).isNull());
  }

  void LargePicturesAreReducedByAveragingWholeBlocks() {
    Picture picture(5, 3, PixelFormat::Bgr24);  // odd sizes: the last blocks are partial
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) {
        std::uint8_t* pixel = picture.Row(y) + 3 * x;
        pixel[0] = static_cast<std::uint8_t>(10 * x);        // blue
        pixel[1] = static_cast<std::uint8_t>(100 + 10 * y);  // green
        pixel[2] = 200;                                      // red
      }
    const QImage reduced = ReducedImage(picture, 3);  // factor 2
    QCOMPARE(reduced.size(), QSize(3, 2));
    QCOMPARE(reduced.pixel(0, 0), qRgb(200, 105, 5));
    QCOMPARE(reduced.pixel(2, 0), qRgb(200, 105, 40));
    QCOMPARE(reduced.pixel(2, 1), qRgb(200, 120, 40));
    QCOMPARE(ReducedImage(picture, 8).size(), QSize(5, 3));  // small pictures keep their size
  }

  void LargerBlocksAreAveragedFromSpreadSamples() {
    Picture picture(10, 4, PixelFormat::Bgrx32);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 10; ++x) {
        std::uint8_t* pixel = picture.Row(y) + 4 * x;
        pixel[0] = static_cast<std::uint8_t>(10 * x);  // blue
        pixel[1] = static_cast<std::uint8_t>(10 * y);  // green
        pixel[2] = 7;                                  // red
      }
    // Factor 4: columns 1 and 3, 5 and 7, then the cut-off block's last
    // column 9 twice; rows 1 and 3.
    const QImage reduced = ReducedImage(picture, 3);
    QCOMPARE(reduced.size(), QSize(3, 1));
    QCOMPARE(reduced.pixel(0, 0), qRgb(7, 20, 20));
    QCOMPARE(reduced.pixel(1, 0), qRgb(7, 20, 60));
    QCOMPARE(reduced.pixel(2, 0), qRgb(7, 20, 90));
  }

  void ToolImagesHaveNormalHoverAndDisabledLooks() {
    for (const char* name : {"open_text", "save_text", "open_image", "save_image", "encrypt",
                             "decrypt", "editor", "help", "about", "exit"}) {
      const QIcon icon = ToolIcon(QString::fromLatin1(name));
      QVERIFY2(!icon.isNull(), name);
      const QImage normal = icon.pixmap(QSize(48, 48), 1.0, QIcon::Normal).toImage();
      const QImage hover = icon.pixmap(QSize(48, 48), 1.0, QIcon::Active).toImage();
      const QImage disabled = icon.pixmap(QSize(48, 48), 1.0, QIcon::Disabled).toImage();
      QCOMPARE(normal.size(), QSize(48, 48));
      QVERIFY2(normal != hover, name);
      QVERIFY2(normal != disabled, name);
      // Disabled is grey: every opaque pixel has red, green and blue alike.
      for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
          const QColor colour = disabled.pixelColor(x, y);
          if (colour.alpha() == 255) QVERIFY2(qAbs(colour.red() - colour.blue()) <= 2, name);
        }
      // High-density screens get an image drawn at twice the size, not scaled up.
      QCOMPARE(icon.pixmap(QSize(48, 48), 2.0).size(), QSize(96, 96));
    }
    QVERIFY(!ApplicationIcon().isNull());
  }

  void EditorImagesHaveHoverAndGreyDisabledLooksAtEveryDensity() {
    for (const char* name : {"open_text", "save_text", "font", "colour", "copy", "cut", "paste",
                             "delete", "undo", "find"}) {
      const QIcon icon =
          EditorIcon(QStringLiteral(":/icons/editor/%1.svg").arg(QLatin1String(name)));
      QVERIFY2(!icon.isNull(), name);
      const QImage normal = icon.pixmap(QSize(48, 48), 1.0, QIcon::Normal).toImage();
      const QImage disabled = icon.pixmap(QSize(48, 48), 1.0, QIcon::Disabled).toImage();
      QCOMPARE(normal.size(), QSize(48, 48));
      QVERIFY2(normal != icon.pixmap(QSize(48, 48), 1.0, QIcon::Active).toImage(), name);
      QVERIFY2(normal != disabled, name);
      QCOMPARE(icon.pixmap(QSize(48, 48), 2.0).size(), QSize(96, 96));
      QCOMPARE(icon.pixmap(QSize(24, 24), 1.0).size(), QSize(24, 24));
    }
    QVERIFY(EditorIcon(QStringLiteral(":/icons/editor/missing.svg")).isNull());
  }
};

QTEST_MAIN(QtPortsTest)
#include "test_qt_ports.moc"
