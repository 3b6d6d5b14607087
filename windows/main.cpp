// The desktop application: the framework's start-up steps, then the main
// window, the help window, the about window and the text editor window,
// created in this order, and the main window shown.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "framework/framework.h"
#include "platform/secret_memory.h"
#include "windows/desktop_session.h"

namespace {

// The picture named on the command line, if any. --help and --version
// answer and end the program here.
QString PictureArgument(const QCoreApplication& application) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Hides a text inside a BMP picture and reads it back."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("picture"),
                               QStringLiteral("A BMP picture to open, as Open Img does."),
                               QStringLiteral("[picture]"));
  parser.process(application);
  const QStringList pictures = parser.positionalArguments();
  return pictures.isEmpty() ? QString() : pictures.constFirst();
}

// --help and --version need no display.
bool AsksForInformationOnly(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument(argv[i]);
    if (argument == "--help" || argument == "-h" || argument == "--version" || argument == "-v")
      return true;
  }
  return false;
}

// For start-up timing: ends the program once the window has been painted
// for the first time, which is when a user sees it.
class QuitWhenPainted : public QObject {
 public:
  explicit QuitWhenPainted(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint)
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  // The window holds keys and texts from the first keystroke: a crash or
  // SIGQUIT must leave no core file with them, and no other process of the
  // user may read them through /proc or a debugger.
  hushlake::KeepSecretsOutOfCoreDumps();
  if (AsksForInformationOnly(argc, argv)) {
    QCoreApplication information(argc, argv);
    hushlake::NameTheApplication();
    PictureArgument(information);
    return 0;
  }
  QApplication application(argc, argv);
  hushlake::NameTheApplication();
  const QString picture = PictureArgument(application);

  hushlake::StartFramework();

  hushlake::DesktopSession session;
  hushlake::TOrmwickForm& mainForm = session.MainForm();
  mainForm.show();

  if (!picture.isEmpty()) {
    if (!QFileInfo::exists(picture))
      std::fprintf(stderr, "hushlake: %s: no such file\n", picture.toLocal8Bit().constData());
    QTimer::singleShot(0, &mainForm, [&mainForm, picture] { mainForm.OpenPictureFile(picture); });
  }
  if (std::getenv("HUSHLAKE_QUIT_WHEN_SHOWN") != nullptr) new QuitWhenPainted(mainForm);
  return QApplication::exec();
}
