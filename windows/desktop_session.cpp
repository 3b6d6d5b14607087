#include "windows/desktop_session.h"

#include <QApplication>

#include "windows/companion_windows.h"
#include "windows/tool_icons.h"

namespace hushlake {

void NameTheApplication() {
  QCoreApplication::setOrganizationName(QString::fromLatin1(SettingsOrganisation));
  QCoreApplication::setApplicationName(QString::fromLatin1(SettingsApplication));
  QCoreApplication::setApplicationVersion(QStringLiteral(HUSHLAKE_VERSION));
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  QGuiApplication::setDesktopFileName(QStringLiteral("org.varnel.Hushlake"));
  QGuiApplication::setWindowIcon(ApplicationIcon());
}

DesktopSession::DesktopSession()
    : editorDialogs_(nullptr, dialogs_),
      mainForm_(
          std::make_unique<TOrmwickForm>(DesktopPorts{messages_, settings_, files_, dialogs_})) {
  messages_.SetParent(mainForm_.get());
  dialogs_.SetParent(mainForm_.get());
  mainForm_->AttachCompanions(CreateCompanionWindows(
      mainForm_.get(), CompanionPorts{editorMessages_, editorDialogs_, files_}));
  QWidget* editor = &mainForm_->Companions()->EditorWindow();
  editorMessages_.SetParent(editor);
  editorDialogs_.SetParent(editor);
}

DesktopSession::~DesktopSession() = default;

}  // namespace hushlake
