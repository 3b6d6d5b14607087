// The text editor window through its real widgets, offscreen, with a
// temporary settings store and faked message boxes and file dialogs.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <memory>

#include "app/local_file_store.h"
#include "editor_test_support.h"
#include "tests/common/fake_ports.h"
#include "windows/companion_windows.h"
#include "windows/find_dialog.h"
#include "windows/font_dialog.h"
#include "windows/qt_editor_settings.h"
#include "windows/text_form.h"

namespace hushlake {

class TestTextForm : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<window_test::TemporarySettings> settingsFolder_;
  std::unique_ptr<QtEditorSettings> settings_;
  LocalFileStore files_;
  fakes::FakeMessages messages_;
  fakes::FakeDialogs dialogs_;
  std::unique_ptr<TTextForm> form_;
  QTemporaryDir work_;

  TextFormPorts Ports() { return {*settings_, files_, messages_, dialogs_}; }
  QAction* Action(const char* name) {
    return form_->findChild<QAction*>(QString::fromLatin1(name));
  }
  QString Path(const char* name) const { return work_.filePath(QString::fromLatin1(name)); }
  static QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private Q_SLOTS:
  void initTestCase() {
    settingsFolder_ = std::make_unique<window_test::TemporarySettings>();
    settings_ = std::make_unique<QtEditorSettings>();
  }

  void init() {
    QSettings(QStringLiteral("Varnel"), QStringLiteral("Hushlake")).clear();
    messages_.shown.clear();
    dialogs_.titles.clear();
    dialogs_.answer.reset();
    form_ = std::make_unique<TTextForm>(Ports());
  }

  void cleanup() { form_.reset(); }

  void captionSizeAndControls() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Hushlake - Text Editor"));
    QCOMPARE(form_->size(), QSize(708, 656));
    QCOMPARE(form_->minimumSize(), QSize(377, 400));
    auto* toolBar = form_->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    QVERIFY(toolBar);
    QStringList order;
    for (QAction* action : toolBar->actions()) order << action->objectName();
    QCOMPARE(order.join(QLatin1Char(' ')),
             QStringLiteral("FileOpen1 FileSaveAs1 FontEdit1 ColorSelect1 EditCopy1 EditCut1 "
                            "EditPaste1 EditDelete1 EditUndo1 SearchFind1"));
    QCOMPARE(Action("EditCopy1")->toolTip(), QStringLiteral("Copy"));
    QCOMPARE(Action("EditCopy1")->statusTip(),
             QStringLiteral("Copies the selection and puts it on the Clipboard"));
  }

  // Read row by row, the visible tool buttons must give every action in
  // order, each whole inside the window: none lost behind an overflow button.
  void toolButtonsStayInViewAndInOrderAtEveryWidth() {
    const QString all = QStringLiteral(
        "FileOpen1 FileSaveAs1 FontEdit1 ColorSelect1 EditCopy1 EditCut1 EditPaste1 EditDelete1 "
        "EditUndo1 SearchFind1");
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    for (const int width : {708, 377, 520, 708}) {
      form_->resize(width, 500);
      QApplication::processEvents();
      QStringList shown;
      for (const char* barName : {"ToolBar1", "ToolBar2"}) {
        auto* bar = form_->findChild<QToolBar*>(QString::fromLatin1(barName));
        QVERIFY(bar);
        if (!bar->isVisible()) continue;
        for (QAction* action : bar->actions()) {
          QWidget* button = bar->widgetForAction(action);
          QVERIFY2(button->isVisible(), qPrintable(action->objectName()));
          const QRect inWindow(button->mapTo(form_.get(), QPoint(0, 0)), button->size());
          QVERIFY2(form_->rect().contains(inWindow), qPrintable(action->objectName()));
          shown << action->objectName();
        }
      }
      QCOMPARE(shown.join(QLatin1Char(' ')), all);
    }
    // Wide again: one row, as the window started.
    QVERIFY(!form_->findChild<QToolBar*>(QStringLiteral("ToolBar2"))->isVisible());
  }

  void typedTextWithoutPictureShowsItsLength() {
    form_->ShowEditor();
    QTest::keyClicks(form_->Editor(), QStringLiteral("abc"));
    QCOMPARE(form_->StatusLine(), QStringLiteral("Text Length: 3"));
    QCOMPARE(form_->findChild<QLabel*>(QStringLiteral("LengthPanel"))->text(),
             QStringLiteral("Text Length: 3"));
  }

  void capacityLineCountsLineBreaksAndLines() {
    form_->SetImageCapacity(1000);
    form_->ReplaceText("ab\r\nc");
    QCOMPARE(form_->findChild<QLabel*>(QStringLiteral("LengthPanel"))->text(),
             QStringLiteral("Text length: 5 out of 996 possible"));
    QCOMPARE(form_->Text(), std::string("ab\r\nc"));
    QCOMPARE(form_->Editor()->document()->blockCount(), 2);
  }

  void capacityFigureGoesNegative() {
    form_->ReplaceText("a\nb\nc\nd");
    form_->SetImageCapacity(4);
    QCOMPARE(form_->findChild<QLabel*>(QStringLiteral("LengthPanel"))->text(),
             QStringLiteral("Text length: 10 out of -4 possible"));
  }

  void undoIsOffRightAfterShowingEvenAfterAHiddenReplace() {
    form_->ReplaceText("written while hidden");
    form_->ShowEditor();
    QVERIFY(!Action("EditUndo1")->isEnabled());
    QTest::keyClick(form_->Editor(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form_->Text(), std::string("written while hidden"));

    form_->Editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(form_->Editor(), QStringLiteral("!"));
    QVERIFY(Action("EditUndo1")->isEnabled());
    Action("EditUndo1")->trigger();
    QCOMPARE(form_->Text(), std::string("written while hidden"));

    form_->hide();
    form_->ReplaceText("again");
    form_->ShowEditor();
    QVERIFY(!Action("EditUndo1")->isEnabled());
  }

  void replaceWhileShownCanBeUndone() {
    form_->ShowEditor();
    QTest::keyClicks(form_->Editor(), QStringLiteral("plain"));
    form_->ReplaceText("cipher text");
    QVERIFY(Action("EditUndo1")->isEnabled());
    Action("EditUndo1")->trigger();
    QCOMPARE(form_->Text(), std::string("plain"));
  }

  void fontAndBackgroundPersistAcrossANewWindow() {
    const EditorFont chosen{"DejaVu Sans Mono", BgrFromRgb(255, 0, 0), 15};
    form_->FontEdit1Accept(chosen);
    form_->ColorSelect1Accept(BgrFromRgb(1, 2, 3));
    QSettings stored(QStringLiteral("Varnel"), QStringLiteral("Hushlake"));
    QCOMPARE(stored.value(QStringLiteral("Font/FontName")).toString(),
             QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(stored.value(QStringLiteral("Font/FontColour")).toString(), QStringLiteral("clRed"));
    QCOMPARE(stored.value(QStringLiteral("Font/FontSize")).toInt(), 15);
    QCOMPARE(stored.value(QStringLiteral("Background/Colour")).toString(),
             QStringLiteral("$00030201"));

    form_ = std::make_unique<TTextForm>(Ports());
    form_->ShowEditor();
    QCOMPARE(form_->Appearance(), (EditorAppearance{chosen, BgrFromRgb(1, 2, 3)}));
    QCOMPARE(form_->Editor()->font().pointSize(), 15);
    QCOMPARE(form_->Editor()->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(form_->Editor()->palette().color(QPalette::Base), QColor(1, 2, 3));
  }

  // A typed name that is no installed face ("16") was stored as the face;
  // underline and strike-out were missing.
  void fontDialogTakesOnlyInstalledFacesAndKeepsTheEffects() {
    // A stored face that is not installed opens as the installed face the
    // editor shows instead, and only the list's faces can be chosen.
    TFontDialog dialog(EditorFont{"16", BgrFromRgb(0, 0, 128), 13}, nullptr);
    auto* face = dialog.findChild<QFontComboBox*>(QStringLiteral("FaceBox"));
    QVERIFY(face);
    QVERIFY(!face->isEditable());
    const QString chosenFace = QString::fromStdString(dialog.ChosenFont().name);
    QVERIFY2(QFontDatabase::families().contains(chosenFace), qPrintable(chosenFace));

    auto* underline = dialog.findChild<QCheckBox*>(QStringLiteral("UnderlineBox"));
    auto* strikeOut = dialog.findChild<QCheckBox*>(QStringLiteral("StrikeOutBox"));
    QVERIFY(underline && strikeOut);
    QVERIFY(!underline->isChecked() && !strikeOut->isChecked());
    underline->setChecked(true);
    strikeOut->setChecked(true);
    const EditorFont chosen = dialog.ChosenFont();
    QVERIFY(chosen.underline && chosen.strikeOut);
    QCOMPARE(chosen.pointSize, 13);
    QCOMPARE(chosen.colour, BgrFromRgb(0, 0, 128));

    form_->FontEdit1Accept(chosen);
    QVERIFY(form_->Editor()->font().underline());
    QVERIFY(form_->Editor()->font().strikeOut());
    form_ = std::make_unique<TTextForm>(Ports());
    form_->ShowEditor();
    QCOMPARE(form_->Appearance().font, chosen);
    QVERIFY(form_->Editor()->font().underline());
    // The dialog opens with what the editor shows.
    TFontDialog again(form_->Appearance().font, nullptr);
    QVERIFY(again.findChild<QCheckBox*>(QStringLiteral("UnderlineBox"))->isChecked());
    QCOMPARE(again.ChosenFont(), chosen);
  }

  void storedColourNamesAreReadAtShowing() {
    QSettings stored(QStringLiteral("Varnel"), QStringLiteral("Hushlake"));
    stored.setValue(QStringLiteral("Font/FontColour"), QStringLiteral("clNavy"));
    stored.setValue(QStringLiteral("Background/Colour"), QStringLiteral("clYellow"));
    stored.sync();
    form_->ShowEditor();
    QCOMPARE(form_->Editor()->palette().color(QPalette::Text), QColor(0, 0, 128));
    QCOMPARE(form_->Editor()->palette().color(QPalette::Base), QColor(255, 255, 0));
    // The group lacks the face and the size: their defaults apply.
    QCOMPARE(form_->Appearance().font.name, std::string("Times New Roman"));
    QCOMPARE(form_->Appearance().font.pointSize, 12);
  }

  void controlFGoesToTheFontDialog() {
    form_->ShowEditor();
    QApplication::setActiveWindow(form_.get());
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QString opened;
    QTimer::singleShot(0, this, [&opened] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        opened = dialog->objectName();
        qobject_cast<QDialog*>(dialog)->reject();
      }
    });
    QTest::keyClick(form_->Editor(), Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(opened, QStringLiteral("FontDialog"));
  }

  void savingAnEmptyTextDoesNothing() {
    form_->ShowEditor();
    dialogs_.answer = Path("empty.txt").toStdString();
    Action("FileSaveAs1")->trigger();
    QVERIFY(!QFile::exists(Path("empty.txt")));
    QVERIFY(messages_.shown.empty());
    QVERIFY(!form_->findChild<QToolBar*>()->widgetForAction(Action("FileSaveAs1"))->isEnabled());
  }

  void saveThenOpenThroughTheDialogs() {
    form_->ShowEditor();
    form_->ReplaceText("first line\nsecond line");
    QVERIFY(form_->findChild<QToolBar*>()->widgetForAction(Action("FileSaveAs1"))->isEnabled());
    dialogs_.answer = Path("saved.txt").toStdString();
    Action("FileSaveAs1")->trigger();
    QCOMPARE(Contents(Path("saved.txt")), QByteArray("first line\r\nsecond line"));
    QCOMPARE(dialogs_.titles.back(), std::string("Save decrypted file"));
    QCOMPARE(messages_.shown, (std::vector<fakes::Message>{{"information", "File Saved"}}));

    messages_.answer = false;
    form_->ReplaceText("other");
    Action("FileSaveAs1")->trigger();
    QCOMPARE(Contents(Path("saved.txt")), QByteArray("first line\r\nsecond line"));
    QCOMPARE(messages_.shown.back(), (fakes::Message{"confirmation", "Replace Existing File?"}));

    Action("FileOpen1")->trigger();
    QCOMPARE(dialogs_.titles.back(), std::string("Open File for encryption"));
    QCOMPARE(form_->Text(), std::string("first line\r\nsecond line"));
  }

  void droppedTextFileOpensAndPicturesAreLeftAlone() {
    QFile note(Path("dropped.txt"));
    QVERIFY(note.open(QIODevice::WriteOnly));
    note.write("from a drop");
    note.close();
    form_->ShowEditor();
    form_->ReplaceText("before");
    auto drop = [this](const QString& path) {
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(path)});
      QWidget* target = form_->Editor()->viewport();
      const QPoint at = target->rect().center();
      QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &enter);
      QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &move);
      QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(target, &dropped);
    };
    drop(Path("picture.bmp"));
    QCOMPARE(form_->Text(), std::string("before"));
    drop(Path("dropped.txt"));
    QCOMPARE(form_->Text(), std::string("from a drop"));
  }

  void editControlsFollowSelectionAndClipboard() {
    form_->ShowEditor();
    QApplication::clipboard()->clear();
    form_->ReplaceText("some words");
    QVERIFY(!Action("EditCopy1")->isEnabled());
    QVERIFY(!Action("EditCut1")->isEnabled());
    QVERIFY(!Action("EditDelete1")->isEnabled());
    QVERIFY(!Action("EditPaste1")->isEnabled());
    form_->Editor()->selectAll();
    QVERIFY(Action("EditCopy1")->isEnabled());
    QVERIFY(Action("EditDelete1")->isEnabled());
    Action("EditCopy1")->trigger();
    QVERIFY(Action("EditPaste1")->isEnabled());
    Action("EditDelete1")->trigger();
    QCOMPARE(form_->Text(), std::string());
    QVERIFY(!Action("EditCut1")->isEnabled());
    Action("EditPaste1")->trigger();
    QCOMPARE(form_->Text(), std::string("some words"));
  }

  void findNextHonoursMatchCase() {
    form_->ReplaceText("Alpha beta alpha");
    QVERIFY(form_->FindNext(QStringLiteral("alpha"), true));
    QCOMPARE(form_->Editor()->textCursor().selectionStart(), 11);
    QVERIFY(!form_->FindNext(QStringLiteral("ALPHA"), true));
    form_->Editor()->moveCursor(QTextCursor::Start);
    QVERIFY(form_->FindNext(QStringLiteral("ALPHA"), false));
    QCOMPARE(form_->Editor()->textCursor().selectionStart(), 0);
  }

  void companionsAreTheRealWindowsAndReportTextChanges() {
    QWidget owner;
    auto companions = CreateCompanionWindows(&owner, CompanionPorts{messages_, dialogs_, files_});
    auto* help = owner.findChild<QWidget*>(QStringLiteral("HelpForm"));
    auto* about = owner.findChild<QWidget*>(QStringLiteral("AboutForm"));
    QVERIFY(help && about);
    QVERIFY(qobject_cast<TTextForm*>(&companions->EditorWindow()));
    QVERIFY(help->isHidden() && about->isHidden() && companions->EditorWindow().isHidden());
    int changes = 0;
    companions->OnEditorTextChanged([&changes] { ++changes; });
    companions->Editor().ReplaceText("from the main window");
    QVERIFY(changes > 0);
    QCOMPARE(companions->Editor().Text(), std::string("from the main window"));
    companions->ShowHelp();
    QVERIFY(help->isVisible());
    companions->ShowAbout();
    QVERIFY(about->isVisible());
  }

  void findDialogFindsTheNextOccurrenceAndSaysWhenThereIsNone() {
    form_->ShowEditor();
    QVERIFY(!Action("SearchFind1")->isEnabled());
    form_->ReplaceText("Lake, lake and LAKE");
    QVERIFY(Action("SearchFind1")->isEnabled());
    Action("SearchFind1")->trigger();
    auto* dialog = form_->findChild<TFindDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    dialog->findChild<QLineEdit*>(QStringLiteral("FindEdit"))->setText(QStringLiteral("lake"));
    dialog->findChild<QCheckBox*>(QStringLiteral("MatchCaseBox"))->setChecked(true);
    auto* findNext = dialog->findChild<QPushButton*>(QStringLiteral("FindNextButton"));
    findNext->click();
    QCOMPARE(form_->Editor()->textCursor().selectedText(), QStringLiteral("lake"));
    QVERIFY(messages_.shown.empty());
    findNext->click();
    QCOMPARE(messages_.shown,
             (std::vector<fakes::Message>{{"information", "Cannot find \"lake\""}}));
  }

  void closingOnlyHides() {
    form_->ShowEditor();
    form_->ReplaceText("keep me");
    QVERIFY(form_->close());
    QVERIFY(form_->isHidden());
    form_->ShowEditor();
    QCOMPARE(form_->Text(), std::string("keep me"));
  }
};

}  // namespace hushlake

QTEST_MAIN(hushlake::TestTextForm)
#include "test_text_form.moc"
