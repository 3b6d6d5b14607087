// The desktop application: the framework's start-up steps, then the main
// window, the help window, the about window and the text editor window,
// created in this order, and the main window shown.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/framework.h"
#include "app/local_file_store.h"
#include "windows/companion_windows.h"
#include "windows/ormwick_form.h"
#include "windows/qt_file_dialogs.h"
#include "windows/qt_message_boxes.h"
#include "windows/qt_settings_store.h"
#include "windows/tool_icons.h"

namespace {

// The picture named on the command line, if any.
QString PictureArgument(const QApplication& application) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Hides a text inside a BMP picture and reads it back."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("picture"),
                               QStringLiteral("A BMP picture to open, as Open Img does."),
                               QStringLiteral("[picture]"));
  parser.process(application);
  const QStringList pictures = parser.positionalArguments();
  return pictures.isEmpty() ? QString() : pictures.constFirst();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QString::fromLatin1(hushlake::SettingsOrganisation));
  QApplication::setApplicationName(QString::fromLatin1(hushlake::SettingsApplication));
  QApplication::setApplicationDisplayName(QStringLiteral("Hushlake"));
  QApplication::setApplicationVersion(QStringLiteral(HUSHLAKE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("org.varnel.Hushlake"));
  QApplication::setWindowIcon(hushlake::ApplicationIcon());
  const QString picture = PictureArgument(application);

  hushlake::StartFramework();

  hushlake::QtMessageBoxes messages;
  hushlake::QtSettingsStore settings;
  hushlake::LocalFileStore files;
  hushlake::QtFileDialogs dialogs;
  hushlake::TOrmwickForm mainForm(hushlake::DesktopPorts{messages, settings, files, dialogs});
  messages.SetParent(&mainForm);
  dialogs.SetParent(&mainForm);
  mainForm.AttachCompanions(
      hushlake::CreateCompanionWindows(&mainForm, hushlake::CompanionPorts{messages, dialogs, files}));
  mainForm.show();

  if (!picture.isEmpty()) {
    if (!QFileInfo::exists(picture))
      std::fprintf(stderr, "hushlake: %s: no such file\n", picture.toLocal8Bit().constData());
    QTimer::singleShot(0, &mainForm, [&mainForm, picture] { mainForm.OpenPictureFile(picture); });
  }
  // For start-up timing: quit as soon as the main window has been drawn.
  if (std::getenv("HUSHLAKE_QUIT_WHEN_SHOWN") != nullptr)
    QTimer::singleShot(0, &application, &QApplication::quit);
  return QApplication::exec();
}
