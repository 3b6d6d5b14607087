// The main window through its real controls: actions by name and by
// shortcut, enable rules, picture loading, hints and remembered geometry.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProxyStyle>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <cstdlib>

#include "stego/picture/bmp/bmp_codec.h"
#include "stego/sealed/sealed_picture.h"
#include "tests/common/testing_stretchers.h"
#include "windows/picture_panel.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

class OrmwickFormTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  std::string PathOf(const char* name) {
    return folder_.filePath(QString::fromLatin1(name)).toStdString();
  }
  std::string PictureFile(const char* name, int width, int height, PixelFormat format) {
    const std::string path = PathOf(name);
    WriteFile(path, WriteBmp(test::RandomPicture(width, height, format, 7)));
    return path;
  }

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    UseTemporarySettings(folder_);
  }

  void ActionsCarryTheirNamesCaptionsHintsAndShortcuts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("statusTip");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("button");
    const auto row = [](const char* name, const char* caption, const char* tip, const char* status,
                        QKeySequence keys, const char* button) {
      QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(caption)
                          << QString::fromLatin1(tip) << QString::fromLatin1(status) << keys
                          << QString::fromLatin1(button);
    };
    row("OpenPicture", "Open Img", "Open Picture", "Load a bitmap",
        QKeySequence(QStringLiteral("Ctrl+I")), "ToolButton4");
    row("FileSaveAs", "Save Text", "Save Text File", "Save decrypted text",
        QKeySequence(QStringLiteral("Ctrl+S")), "ToolButton2");
    row("FileOpen", "Open Text", "Open Text File", "Open text file to be encrypted",
        QKeySequence(QStringLiteral("Ctrl+O")), "ToolButton1");
    row("SaveImageAction", "Save Img", "Save Picture", "Save encrypted image",
        QKeySequence(QStringLiteral("Ctrl+J")), "ToolButton10");
    row("EncryptAction", "Encrypt", "Encrypt", "Create stego encryption",
        QKeySequence(QStringLiteral("Ctrl+E")), "ToolButton6");
    row("DecryptAction", "Decrypt", "Decrypt", "Decrypt the stego image",
        QKeySequence(QStringLiteral("Ctrl+D")), "ToolButton7");
    row("ShowTextAction", "Editor", "Show Editor", "Show text editor",
        QKeySequence(QStringLiteral("Ctrl+T")), "ToolButton11");
    row("HelpContents", "Help", "Help", "Help and usage", QKeySequence(QStringLiteral("F1")),
        "ToolButton8");
    row("AboutAction", "About", "About", "Program information and license agreement",
        QKeySequence(QStringLiteral("F11")), "ToolButton9");
    row("FileExit", "E&xit", "Exit", "Close the application",
        QKeySequence(QStringLiteral("Ctrl+Alt+X")), "ToolButton3");
  }
  void ActionsCarryTheirNamesCaptionsHintsAndShortcuts() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, statusTip);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, button);
    WindowUnderTest window;
    auto* action = window.form.findChild<QAction*>(name);
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->toolTip(), toolTip);
    QCOMPARE(action->statusTip(), statusTip);
    QCOMPARE(action->shortcut(), shortcut);
    auto* toolButton = window.form.findChild<QToolButton*>(button);
    QVERIFY(toolButton);
    QCOMPARE(toolButton->defaultAction(), action);
    QCOMPARE(toolButton->iconSize(), QSize(48, 48));
    QCOMPARE(toolButton->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  }

  void ToolBarShowsTheButtonsInOrder() {
    WindowUnderTest window;
    QStringList order;
    for (QAction* action : window.Control<QToolBar>("ToolBar1")->actions())
      order << action->objectName();
    QCOMPARE(order, QStringList({QStringLiteral("FileOpen"), QStringLiteral("FileSaveAs"),
                                 QStringLiteral("OpenPicture"), QStringLiteral("SaveImageAction"),
                                 QStringLiteral("EncryptAction"), QStringLiteral("DecryptAction"),
                                 QStringLiteral("ShowTextAction"), QStringLiteral("HelpContents"),
                                 QStringLiteral("AboutAction"), QStringLiteral("FileExit")}));
    // Open Img's button has a hint of its own.
    QCOMPARE(window.Control("ToolButton4")->toolTip(), QStringLiteral("Load"));
    QCOMPARE(window.Control("ToolButton4")->statusTip(), QStringLiteral("Load a bitmap"));
  }

  void StartsWithTheWindowsSizeTitleListsAndLabel() {
    WindowUnderTest window;
    QCOMPARE(window.form.windowTitle(), QStringLiteral("Hushlake"));
    QCOMPARE(window.form.minimumSize(), QSize(700, 500));
    QCOMPARE(window.Control<QComboBox>("HashCombo")->count(), 13);
    QCOMPARE(window.Control<QComboBox>("HashCombo")->maxVisibleItems(), 13);
    QCOMPARE(window.Control<QComboBox>("CipherCombo")->count(), 15);
    QCOMPARE(window.Control<QComboBox>("CipherCombo")->maxVisibleItems(), 15);
    QCOMPARE(window.Control<QComboBox>("ModeCombo")->currentText(), QStringLiteral("cmCTS"));
    QCOMPARE(window.Control<QLabel>("CryptChoiceLabel")->text(),
             QStringLiteral("Hash: 224 bit  Cipher: 96 bit Key Mode: Cipher Text Stealing"));
    QVERIFY(window.settings.HasKey(WelcomeSettingsKey));
    QVERIFY(window.form.statusBar()->currentMessage().isEmpty());
    for (const char* disabled : {"EncryptAction", "DecryptAction"})
      QVERIFY(!window.Enabled(disabled));
    QVERIFY(!window.Control("ToolButton2")->isEnabled());
    QVERIFY(!window.Control("ToolButton10")->isEnabled());
    QCOMPARE(window.Control("OriginalPanel")->palette().color(QPalette::Window),
             QColor(220, 220, 220));
  }

  void StatusBarShowsTheLongHintOfTheControlUnderTheMouse() {
    WindowUnderTest window;
    const auto hover = [&](const char* name) {
      QEvent enter(QEvent::Enter);
      QApplication::sendEvent(window.Control(name), &enter);
      return window.form.statusBar()->currentMessage();
    };
    QCOMPARE(hover("KeyEdit"), QStringLiteral("Encryption Key"));
    QCOMPARE(hover("HashCombo"),
             QStringLiteral("Hash algorithm used when creating cipher encryption key"));
    QCOMPARE(window.Control("HashCombo")->toolTip(), QStringLiteral("Hash Algorithm"));
    QCOMPARE(hover("ToolButton6"), QStringLiteral("Create stego encryption"));
    QCOMPARE(hover("CryptChoiceLabel"), QStringLiteral("Cipher Selection"));
  }

  void ChangingAListChangesTheLabelAtOnce() {
    WindowUnderTest window;
    window.Control<QComboBox>("HashCombo")->setCurrentText(QStringLiteral("MD5"));
    window.Control<QComboBox>("CipherCombo")->setCurrentText(QStringLiteral("Blowfish"));
    window.Control<QComboBox>("ModeCombo")->setCurrentIndex(3);
    QCOMPARE(window.Control<QLabel>("CryptChoiceLabel")->text(),
             QStringLiteral("Hash: 128 bit  Cipher: 448 bit Key Mode: Output Feedback"));
    QCOMPARE(window.form.Logic().Choice().cipher, std::string("Blowfish"));
  }

  // The longest label wraps at the minimum width; both lines must be in view,
  // and a short label must give the room back.
  void ChoiceLabelGetsTheLinesItNeedsAtTheMinimumSize() {
    WindowUnderTest window;
    window.form.resize(window.form.minimumSize());
    QApplication::processEvents();
    auto* label = window.Control<QLabel>("CryptChoiceLabel");
    const int oneLine = label->height();
    auto* cipher = window.Control<QComboBox>("CipherCombo");
    const QString startCipher = cipher->currentText();
    cipher->setCurrentText(QStringLiteral("SAFER-SK128"));
    window.Control<QComboBox>("ModeCombo")->setCurrentIndex(1);
    QApplication::processEvents();
    QVERIFY2(label->heightForWidth(label->width()) > oneLine, "the label does not wrap here");
    QCOMPARE(label->height(), label->heightForWidth(label->width()));
    cipher->setCurrentText(startCipher);
    window.Control<QComboBox>("ModeCombo")->setCurrentIndex(0);
    QApplication::processEvents();
    QCOMPARE(label->height(), oneLine);
  }

  // The lists are as wide as the item they show (so the choice row has room
  // for the Sealed box at the minimum width), which must never cut an item,
  // and open as wide as their longest item.
  void EveryListItemShowsWholeClosedAndOpen() {
    WindowUnderTest window;
    window.form.resize(window.form.minimumSize());
    for (const char* name : {"HashCombo", "CipherCombo", "ModeCombo"}) {
      auto* list = window.Control<QComboBox>(name);
      for (int i = 0; i < list->count(); ++i) {
        list->setCurrentIndex(i);
        QApplication::processEvents();
        QStyleOptionComboBox option;
        option.initFrom(list);
        option.rect = list->rect();
        option.currentText = list->currentText();
        const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, list);
        QVERIFY2(field.width() >= list->fontMetrics().horizontalAdvance(list->currentText()),
                 qPrintable(list->currentText()));
      }
      list->showPopup();
      QApplication::processEvents();
      QVERIFY2(list->view()->viewport()->width() >= list->view()->sizeHintForColumn(0), name);
      list->hidePopup();
    }
  }

  void KeyFieldHidesEveryCharacterBehindAStar() {
    WindowUnderTest window;
    auto* field = window.Control<QLineEdit>("KeyEdit");
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field),
             int('*'));
    QVERIFY(field->font().bold());
    QCOMPARE(field->font().pixelSize(), 16);
    QVERIFY(QFontInfo(field->font()).fixedPitch());
  }

  void NineKeyCharactersEnableEncryptAndDecryptEightDoNot() {
    WindowUnderTest window;
    window.OpenPicture(PictureFile("key.bmp", 64, 64, PixelFormat::Bgr24));
    window.TypeText(QStringLiteral("hello"));
    window.TypeKey(QStringLiteral("12345678"));
    QVERIFY(!window.Enabled("EncryptAction"));
    QVERIFY(!window.Enabled("DecryptAction"));
    window.TypeKey(QStringLiteral("9"));
    QVERIFY(window.Enabled("EncryptAction"));
    QVERIFY(window.Enabled("DecryptAction"));
    // Emptying the editor disables Encrypt only, and the Save Text button with it.
    window.companions->Editor().ReplaceText("");
    QVERIFY(!window.Enabled("EncryptAction"));
    QVERIFY(window.Enabled("DecryptAction"));
    QVERIFY(!window.Control("ToolButton2")->isEnabled());
    QVERIFY(window.Enabled("FileSaveAs"));  // the button, not the action
  }

  void PictureOfAnotherDepthIsRefusedAndHidden_data() {
    QTest::addColumn<int>("bits");
    QTest::newRow("4-bit") << 4;
    QTest::newRow("16-bit") << 16;
  }
  void PictureOfAnotherDepthIsRefusedAndHidden() {
    QFETCH(int, bits);
    WindowUnderTest window;
    window.OpenPicture(PictureFile("good.bmp", 64, 64, PixelFormat::Bgr24));
    window.TypeKey(QStringLiteral("123456789"));
    QVERIFY(window.Enabled("DecryptAction"));
    const std::string odd = PathOf("odd.bmp");
    WriteFile(odd, BmpOfDepth(bits, 16, 16));
    window.messages.shown.clear();
    window.OpenPicture(odd);
    QCOMPARE(window.messages.shown.front(), (Message{"error", std::string(messages::WrongDepth)}));
    QVERIFY(!window.form.Logic().View().originalVisible);
    QVERIFY(!window.Enabled("EncryptAction"));
    QVERIFY(!window.Enabled("DecryptAction"));
  }

  void PalettePictureDisablesTheListsAndTrueColourEnablesThemAgain() {
    WindowUnderTest window;
    const char* controls[] = {"HashCombo", "CipherCombo", "ModeCombo", "CryptChoiceLabel"};
    window.OpenPicture(PictureFile("palette.bmp", 100, 50, PixelFormat::Indexed8));
    for (const char* name : controls) QVERIFY2(!window.Control(name)->isEnabled(), name);
    QCOMPARE(window.Control("CryptPanel")->toolTip(),
             QStringLiteral("8 Bit Image, Cipher disabled"));
    QCOMPARE(window.companions->editor.capacity, 1633);
    window.OpenPicture(PictureFile("true.bmp", 100, 50, PixelFormat::Bgr24));
    for (const char* name : controls) QVERIFY2(window.Control(name)->isEnabled(), name);
    QCOMPARE(window.Control("CryptChoiceLabel")->toolTip(), QStringLiteral("Cipher Selection"));
    QCOMPARE(window.companions->editor.capacity, 2450);
    QVERIFY(window.Control("OriginalPanel")
                ->toolTip()
                .startsWith(QStringLiteral("Original imported image")));
    QVERIFY(window.Control("OriginalPanel")->statusTip().endsWith(QStringLiteral("true.bmp")));
  }

  void ShortcutsRunTheirActions() {
    WindowUnderTest window;
    window.dialogs.answers.push_back(PictureFile("short.bmp", 64, 64, PixelFormat::Bgr24));
    window.Press(QKeySequence(QStringLiteral("Ctrl+I")));
    QCOMPARE(window.dialogs.titles, std::vector<std::string>{"Open image"});
    QVERIFY(window.form.Logic().ImageLoaded());
    window.Press(QKeySequence(QStringLiteral("Ctrl+T")));
    QVERIFY(window.companions->EditorWindow().isVisible());
  }

  void SaveImageBeforeAnyEncryptDoesNothing() {
    WindowUnderTest window;
    window.Press(QKeySequence(QStringLiteral("Ctrl+J")));
    window.Trigger("SaveImageAction");
    QVERIFY(window.dialogs.titles.empty());
    QVERIFY(window.messages.shown.empty());
  }

  void AnsweringNoToAReplaceWritesNothing() {
    WindowUnderTest window;
    window.OpenPicture(PictureFile("source.bmp", 64, 64, PixelFormat::Bgr24));
    window.TypeText(QStringLiteral("secret words"));
    window.TypeKey(QStringLiteral("a long key"));
    window.Trigger("EncryptAction");
    QVERIFY(window.form.Logic().ImageEncrypted());
    QVERIFY(window.Control("ToolButton10")->isEnabled());
    const std::string existing = PathOf("existing.bmp");
    WriteFile(existing, {'k', 'e', 'e', 'p'});
    window.messages.shown.clear();
    window.messages.answer = false;
    window.dialogs.answers.push_back(existing);
    window.Press(QKeySequence(QStringLiteral("Ctrl+J")));
    QCOMPARE(window.messages.shown,
             std::vector<Message>({{"confirmation", std::string(messages::ReplacePicture)}}));
    QCOMPARE(LocalFileStore().ReadAll(existing), (std::vector<std::uint8_t>{'k', 'e', 'e', 'p'}));
  }

  void EncryptShowsTheBusyPointerOnlyWhileItRuns() {
    WindowUnderTest window;
    window.OpenPicture(PictureFile("busy.bmp", 64, 64, PixelFormat::Bgr24));
    window.TypeText(QStringLiteral("text"));
    window.TypeKey(QStringLiteral("a long key"));
    window.messages.cursors.clear();
    window.Trigger("EncryptAction");
    QCOMPARE(window.messages.cursors, std::vector<Qt::CursorShape>{Qt::WaitCursor});
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void DroppingAPictureOpensItAsOpenImgDoes() {
    WindowUnderTest window;
    const QString path =
        QString::fromStdString(PictureFile("dropped.bmp", 48, 40, PixelFormat::Bgrx32));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(window.form.width() / 2.0, window.form.height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.form, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.form, &drop);
    QVERIFY(window.form.Logic().ImageLoaded());
    const QSize shown = window.form.OriginalPanel().ShownPixmap().size();
    QCOMPARE(shown, QSize(48, 40) * (shown.width() / 48));  // enlarged whole times
    QVERIFY(window.dialogs.titles.empty());
  }

  void PictureIsScaledOncePerResizeNotPerPaint() {
    WindowUnderTest window;
    window.OpenPicture(PictureFile("large.bmp", 800, 400, PixelFormat::Bgr24));
    PicturePanel& panel = window.form.OriginalPanel();
    const QSize shown = panel.ShownPixmap().deviceIndependentSize().toSize();
    QVERIFY(shown.width() <= panel.PictureArea().width());
    QCOMPARE(shown.width(), 2 * shown.height());  // proportional
    const int scalings = panel.ScalingCount();
    panel.repaint();
    panel.repaint();
    QCOMPARE(panel.ScalingCount(), scalings);
    window.form.resize(900, 700);
    QApplication::processEvents();
    QCOMPARE(panel.ScalingCount(), scalings + 1);
  }

  // A small picture showed as a stamp of its own size in the middle of
  // the panel. It fills the panel now, each of its pixels a square of one
  // colour; a large one is still reduced to fit.
  void SmallPicturesAreEnlargedPixelByPixelToFillThePanel_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("window");
    QTest::newRow("24x24 at the start size") << QSize(24, 24) << QSize(700, 648);
    QTest::newRow("100x50 at the start size") << QSize(100, 50) << QSize(700, 648);
    QTest::newRow("24x24 at the minimum size") << QSize(24, 24) << QSize(700, 500);
    QTest::newRow("100x50 at 1600x1000") << QSize(100, 50) << QSize(1600, 1000);
    QTest::newRow("37x29 at 1600x1000") << QSize(37, 29) << QSize(1600, 1000);
  }
  void SmallPicturesAreEnlargedPixelByPixelToFillThePanel() {
    QFETCH(QSize, picture);
    QFETCH(QSize, window);
    WindowUnderTest session;
    session.form.resize(window);
    QApplication::processEvents();
    const Picture source =
        test::RandomPicture(picture.width(), picture.height(), PixelFormat::Bgr24, 11);
    PicturePanel& panel = session.form.OriginalPanel();
    panel.SetPicture(source);
    const QImage shown = panel.ShownPixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QSize area = panel.PictureArea().size();
    const int times = shown.width() / picture.width();
    QCOMPARE(shown.size(), picture * times);
    QVERIFY2(times >= 2, "not enlarged");
    // Within one picture pixel of the area's side: one more would not fit.
    QVERIFY(shown.width() <= area.width() && shown.height() <= area.height());
    QVERIFY(shown.width() + picture.width() > area.width() ||
            shown.height() + picture.height() > area.height());
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) {
        const std::uint8_t* bgr = source.Row(y / times) + 3 * (x / times);
        if (shown.pixel(x, y) != qRgb(bgr[2], bgr[1], bgr[0]))
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is not its picture pixel").arg(x).arg(y)));
      }
    // A large picture is still reduced to fit.
    panel.SetPicture(test::RandomPicture(1200, 600, PixelFormat::Bgr24, 12));
    const QSize reduced = panel.ShownPixmap().size();
    QVERIFY(reduced.width() <= area.width() && reduced.height() <= area.height());
    QVERIFY(reduced.width() >= area.width() - 1);
  }

  // The success message came up over a greyed Save Img and the old result.
  void EncryptDrawsItsResultBeforeTellingOfIt() {
    WindowUnderTest window;
    window.OpenPicture(PictureFile("told.bmp", 64, 64, PixelFormat::Bgr24));
    window.TypeText(QStringLiteral("news"));
    window.TypeKey(QStringLiteral("a long key"));
    QStringList behind;
    window.messages.whileShown = [&](const Message&) {
      const PicturePanel& result = window.form.EncryptedPanel();
      behind << QStringLiteral("Save Img %1, result %2x%3, hint %4")
                    .arg(window.Control("ToolButton10")->isEnabled() ? QStringLiteral("enabled")
                                                                     : QStringLiteral("greyed"))
                    .arg(result.ShownPixmap().width())
                    .arg(result.ShownPixmap().height())
                    .arg(result.statusTip());
    };
    window.Trigger("EncryptAction");
    QCOMPARE(window.messages.shown,
             std::vector<Message>({{"information", std::string(messages::EncryptDone)}}));
    const QSize shown = window.form.OriginalPanel().ShownPixmap().size();
    QCOMPARE(behind, QStringList(QStringLiteral("Save Img enabled, result %1x%2, hint Stego "
                                                "encrypted image")
                                     .arg(shown.width())
                                     .arg(shown.height())));
  }

  // After a failed load the status line still named the previous file,
  // over an empty panel.
  void AFailedLoadLeavesNoHintOfThePreviousFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("4-bit picture") << QByteArray();
    QTest::newRow("not a picture") << QByteArray("BM but nothing a picture needs");
  }
  void AFailedLoadLeavesNoHintOfThePreviousFile() {
    QFETCH(QByteArray, bytes);
    WindowUnderTest window;
    window.OpenPicture(PictureFile("previous.bmp", 64, 64, PixelFormat::Bgr24));
    QWidget* panel = window.Control("OriginalPanel");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(panel, &enter);
    QVERIFY(window.form.statusBar()->currentMessage().endsWith(QStringLiteral("previous.bmp")));
    const std::string failed = PathOf("failed.bmp");
    WriteFile(failed, bytes.isEmpty() ? BmpOfDepth(4, 16, 16)
                                      : std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    window.OpenPicture(failed);
    QVERIFY(!window.form.Logic().ImageLoaded());
    QCOMPARE(window.form.statusBar()->currentMessage(), QString());
    QApplication::sendEvent(panel, &enter);
    QVERIFY(!window.form.statusBar()->currentMessage().contains(QStringLiteral("previous")));
    QVERIFY(!panel->toolTip().contains(QStringLiteral("Original imported image")));
  }

  void KeyFieldTellsTheKeysLeastLengthBeforeTyping() {
    WindowUnderTest window;
    QVERIFY(window.Control<QLineEdit>("KeyEdit")->placeholderText().contains(
        QStringLiteral("at least 9 characters")));
  }

  void SealedSwitchesOffTheListsIsRememberedAndEncryptAndDecryptFollowIt() {
    const char* lists[] = {"HashCombo", "CipherCombo", "ModeCombo", "CryptChoiceLabel"};
    const std::string saved = PathOf("sealed-result.png");
    {
      WindowUnderTest window;
      auto* sealed = window.Control<QCheckBox>("SealedCheck");
      QVERIFY(sealed != nullptr);
      QCOMPARE(sealed->text(), QStringLiteral("Sealed"));
      QVERIFY(!sealed->isChecked());
      // In the choice row, first: it stands for the three lists it switches off.
      QWidget* hash = window.Control("HashCombo");
      QCOMPARE(sealed->parentWidget(), window.Control("CryptPanel"));
      QVERIFY(sealed->geometry().right() < hash->x());
      QVERIFY(std::abs(sealed->geometry().center().y() - hash->geometry().center().y()) <= 2);
      window.OpenPicture(PictureFile("sealed-cover.bmp", 120, 90, PixelFormat::Bgr24));
      QTest::mouseClick(sealed, Qt::LeftButton);
      QVERIFY(sealed->isChecked());
      for (const char* name : lists) QVERIFY2(!window.Control(name)->isEnabled(), name);
      window.TypeKey(QStringLiteral("nine chars key"));
      window.TypeText(QStringLiteral("A sealed line"));
      window.Trigger("EncryptAction");
      QCOMPARE(window.messages.shown.back(),
               (Message{"information", std::string(messages::EncryptDone)}));
      // Encrypt left the editor's text as it was: a sealed picture enciphers its own copy.
      QCOMPARE(window.EditorText(), std::string("A sealed line"));
      window.dialogs.answers.push_back(saved);
      window.Trigger("SaveImageAction");
      window.companions->Editor().ReplaceText("");
      window.OpenPicture(saved);
      window.Trigger("DecryptAction");
      QCOMPARE(window.EditorText(), std::string("A sealed line"));
      window.ReplaceKey(QStringLiteral("nine chars kez"));
      window.Trigger("DecryptAction");
      QCOMPARE(window.messages.shown.back().kind, std::string("error"));
      QVERIFY(window.messages.shown.back().text.starts_with("Nothing sealed opens with this key"));
    }
    WindowUnderTest next;
    auto* sealed = next.Control<QCheckBox>("SealedCheck");
    QVERIFY(sealed->isChecked());
    QTest::mouseClick(sealed, Qt::LeftButton);
    for (const char* name : lists) QVERIFY2(next.Control(name)->isEnabled(), name);
    WindowUnderTest third;
    QVERIFY(!third.Control<QCheckBox>("SealedCheck")->isChecked());
  }

  // A sealed file (as the command line seals one) is named in the editor and
  // saved where the save dialog says, under the name it proposes.
  void DecryptOfASealedFileOffersToSaveIt() {
    const sealed::Argon2idStretcher stretcher = sealed::TestingStretchers::Fast();
    Picture picture = test::RandomPicture(120, 90, PixelFormat::Bgr24, 5);
    sealed::SealedContent content;
    content.isFile = true;
    content.name = "folder/plan.odt";
    const std::vector<std::uint8_t> bytes = {1, 2, 3, 0, 255};
    content.bytes = SecretBytes(bytes);
    QVERIFY(sealed::SealIntoPicture(picture, content, "nine chars key", stretcher).Succeeded());
    const std::string path = PathOf("sealed-file.bmp");
    WriteFile(path, WriteBmp(picture));
    const std::string target = PathOf("plan-saved.odt");

    WindowUnderTest window;
    window.form.Logic().UseKeyStretcher(stretcher);
    auto* sealed = window.Control<QCheckBox>("SealedCheck");
    if (!sealed->isChecked()) QTest::mouseClick(sealed, Qt::LeftButton);
    window.OpenPicture(path);
    window.TypeKey(QStringLiteral("nine chars key"));
    window.dialogs.answers.push_back(target);
    window.Trigger("DecryptAction");
    QCOMPARE(window.dialogs.titles.back(), std::string("Save the hidden file"));
    QCOMPARE(window.EditorText(),
             std::string("The picture holds the file \"plan.odt\" (5 bytes)."));
    QCOMPARE(window.messages.shown.back(), (Message{"information", "File Saved"}));
    QCOMPARE(window.files.ReadAll(target), bytes);
    QTest::mouseClick(sealed, Qt::LeftButton);  // the next windows start classic again
  }

  // Hide a file, from the Open Text button's menu, seals a file only while
  // Sealed is on; Decrypt gives it back under its name.
  void HideAFileSealsAFileAndDecryptGivesItBack() {
    const sealed::Argon2idStretcher stretcher = sealed::TestingStretchers::Fast();
    const std::string file = PathOf("minutes.txt");
    const std::vector<std::uint8_t> bytes = {'m', 'e', 'e', 't', 0, '\n', 200};
    WriteFile(file, bytes);
    const std::string saved = PathOf("hidden-file.png");
    const std::string back = PathOf("minutes-back.txt");

    WindowUnderTest window;
    window.form.Logic().UseKeyStretcher(stretcher);
    QAction* hide = window.Action("HideFileAction");
    QVERIFY(hide != nullptr);
    QCOMPARE(hide->text(), QStringLiteral("Hide a file..."));
    // On the Open Text button, which a missing text never disables.
    auto* openTextButton = window.Control<QToolButton>("ToolButton1");
    QVERIFY(openTextButton->menu() && openTextButton->menu()->actions().contains(hide));
    window.OpenPicture(PictureFile("hide-cover.bmp", 120, 90, PixelFormat::Bgr24));
    window.TypeKey(QStringLiteral("nine chars key"));
    auto* sealed = window.Control<QCheckBox>("SealedCheck");
    QVERIFY(!sealed->isChecked());
    QVERIFY(!hide->isEnabled());
    QTest::mouseClick(sealed, Qt::LeftButton);
    QVERIFY(hide->isEnabled());
    window.dialogs.answers.push_back(file);
    window.Trigger("HideFileAction");
    QCOMPARE(window.messages.shown.back().text,
             std::string("The file has been sealed into the picture\nPlease save the encrypted "
                         "image now"));
    QVERIFY(window.Enabled("SaveImageAction"));
    window.dialogs.answers.push_back(saved);
    window.Trigger("SaveImageAction");
    window.OpenPicture(saved);
    window.dialogs.answers.push_back(back);
    window.Trigger("DecryptAction");
    QCOMPARE(window.files.ReadAll(back), bytes);
    QTest::mouseClick(sealed, Qt::LeftButton);  // the next windows start classic again
    QVERIFY(!hide->isEnabled());
  }

  void WindowSizeAndPlaceAreRemembered() {
    QRect closedAt;
    {
      WindowUnderTest window;
      window.form.setGeometry(40, 30, 820, 610);
      QApplication::processEvents();
      closedAt = window.form.geometry();
      window.form.close();
    }
    WindowUnderTest next;
    QCOMPARE(next.form.size(), closedAt.size());
  }

  void ExitClosesTheWindow() {
    WindowUnderTest window;
    window.Press(QKeySequence(QStringLiteral("Ctrl+Alt+X")));
    QVERIFY(!window.form.isVisible());
  }
};

QTEST_MAIN(OrmwickFormTest)
#include "test_ormwick_form.moc"
