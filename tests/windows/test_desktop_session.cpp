// The windows as the program starts them: every action shortcut reaches its
// action from every control of its window, each window's dialogs and
// message boxes belong to that window, and the captions are the windows' own.
#include <QMessageBox>
#include <QTimer>
#include <functional>
#include <map>

#include "windows/desktop_session.h"
#include "windows/text_form.h"
#include "windows/window_fixture.h"

using namespace hushlake;
using namespace hushlake::window_test;

namespace {

// The controls of Window a user can put the focus on with the keyboard.
QList<QWidget*> FocusableControls(QWidget& window) {
  QList<QWidget*> controls;
  for (QWidget* control : window.findChildren<QWidget*>())
    if (control->window() == &window && control->isVisible() && control->isEnabled() &&
        (control->focusPolicy() & Qt::TabFocus) != 0)
      controls << control;
  return controls;
}

// Runs Action, which opens a modal dialog or message box, and returns the
// window that box belongs to; the box is closed as soon as it shows.
QWidget* OwnerOfModalOpenedBy(const std::function<void()>& action) {
  QPointer<QWidget> owner;
  bool seen = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    seen = true;
    owner = modal->parentWidget() != nullptr ? modal->parentWidget()->window() : nullptr;
    poll.stop();
    modal->close();
  });
  poll.start();
  action();
  poll.stop();
  return seen ? owner.data() : nullptr;
}

QString NameOf(const QObject* object) {
  return object == nullptr ? QStringLiteral("nothing") : object->objectName();
}

}  // namespace

class DesktopSessionTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

 private Q_SLOTS:
  void initTestCase() {
    QVERIFY(folder_.isValid());
    UseTemporarySettings(folder_);
  }

  // A text control claims many Ctrl keys for editing (the key field took
  // Ctrl+E, Encrypt's key, to move to the end of the line); the window's
  // actions must come first wherever the focus is.
  void EveryShortcutReachesItsActionFromEveryControl_data() {
    QTest::addColumn<bool>("editor");
    QTest::newRow("main window") << false;
    QTest::newRow("text editor") << true;
  }
  void EveryShortcutReachesItsActionFromEveryControl() {
    QFETCH(bool, editor);
    WindowUnderTest session;
    QWidget& window = editor ? session.companions->EditorWindow() : session.form;
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The actions only count here: what they do would open dialogs and
    // windows and move the focus away.
    std::map<QAction*, int> triggered;
    for (QAction* action : window.actions()) {
      if (action->shortcut().isEmpty()) continue;
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      action->setEnabled(true);
      QObject::connect(action, &QAction::triggered, [&triggered, action] { ++triggered[action]; });
      triggered[action] = 0;
    }
    QVERIFY(triggered.size() >= 9);
    const QList<QWidget*> controls = FocusableControls(window);
    QVERIFY(controls.size() >= (editor ? 1 : 4));  // key field and lists; the text
    for (QWidget* control : controls) {
      control->setFocus(Qt::TabFocusReason);
      QTRY_VERIFY2(control->hasFocus(),
                   qPrintable(NameOf(control) + QStringLiteral(" in ") +
                              NameOf(QApplication::activeWindow()) + QStringLiteral(", focus ") +
                              NameOf(QApplication::focusWidget())));
      for (auto& [action, count] : triggered) {
        const int before = count;
        QTest::keySequence(control, action->shortcut());
        QVERIFY2(count == before + 1,
                 qPrintable(action->shortcut().toString() + QStringLiteral(" does not reach ") +
                            NameOf(action) + QStringLiteral(" from ") + NameOf(control)));
      }
    }
  }

  // Raised over the main window, a box of the editor's left the editor
  // behind it.
  void EachWindowsDialogsAndMessagesBelongToIt() {
    DesktopSession session;
    TOrmwickForm& form = session.MainForm();
    form.show();
    auto* editor = qobject_cast<TTextForm*>(&form.Companions()->EditorWindow());
    QVERIFY(editor);
    form.Companions()->Editor().ReplaceText("words to keep");
    form.Companions()->Editor().ShowEditor();
    const auto trigger = [](QWidget& window, const char* name) {
      return [&window, name] { window.findChild<QAction*>(QString::fromLatin1(name))->trigger(); };
    };
    QCOMPARE(NameOf(OwnerOfModalOpenedBy(trigger(*editor, "FileOpen1"))), editor->objectName());
    QCOMPARE(NameOf(OwnerOfModalOpenedBy(trigger(*editor, "FileSaveAs1"))), editor->objectName());
    const QString saved = folder_.filePath(QStringLiteral("editor.txt"));
    QCOMPARE(NameOf(OwnerOfModalOpenedBy([&] { editor->FileSaveAs1Accept(saved); })),
             editor->objectName());
    QCOMPARE(NameOf(OwnerOfModalOpenedBy(trigger(form, "FileSaveAs"))), form.objectName());
    QCOMPARE(NameOf(OwnerOfModalOpenedBy(trigger(form, "OpenPicture"))), form.objectName());
    const std::string mainSaved = folder_.filePath(QStringLiteral("main.txt")).toStdString();
    QCOMPARE(NameOf(OwnerOfModalOpenedBy([&] { form.Logic().FileSaveAsAccept(mainSaved); })),
             form.objectName());
  }

  // The platform adds a display name, once one is set, to every caption
  // ("Hushlake - Text Editor — Hushlake"); the captions are the windows' own.
  void CaptionsAreTheWindowsOwn() {
    NameTheApplication();
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    const QString displayName = QGuiApplication::applicationDisplayName();
    QCoreApplication::setApplicationName(name);
    QCOMPARE(displayName, QStringLiteral("probe"));  // follows the name: none of its own

    DesktopSession session;
    TOrmwickForm& form = session.MainForm();
    QCOMPARE(form.windowTitle(), QStringLiteral("Hushlake"));
    QCOMPARE(form.Companions()->EditorWindow().windowTitle(),
             QStringLiteral("Hushlake - Text Editor"));
    std::map<QString, QString> titles;
    for (QWidget* window : QApplication::topLevelWidgets())
      titles[window->objectName()] = window->windowTitle();
    QCOMPARE(titles[QStringLiteral("HelpForm")], QStringLiteral("Hushlake - Help and Usage"));
    QCOMPARE(titles[QStringLiteral("AboutForm")], QStringLiteral("Hushlake - About"));
  }
};

QTEST_MAIN(DesktopSessionTest)
#include "test_desktop_session.moc"
