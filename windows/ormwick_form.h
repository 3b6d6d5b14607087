#pragma once
// The main window: the tool bar, the key field, the three algorithm lists,
// the two picture panels and the status bar. It draws what MainWindowLogic
// decides and forwards every user action to it.
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <string>

#include "app/main_window_logic.h"
#include "windows/companion_windows.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QToolBar;
class QToolButton;

namespace hushlake {

class KeyField;
class PicturePanel;

// The platform services the main window's logic uses besides its own controls.
struct DesktopPorts {
  MessageBoxes& messages;
  SettingsStore& settings;
  FileStore& files;
  FileDialogs& dialogs;
};

class TOrmwickForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TOrmwickForm(DesktopPorts ports, QWidget* parent = nullptr);
  ~TOrmwickForm() override;

  // Hands over the editor, help and about windows (created after this one).
  void AttachCompanions(std::unique_ptr<CompanionWindows> companions);
  CompanionWindows* Companions() const { return companions_.get(); }

  // Opens a picture as Open Img does after its dialog.
  void OpenPictureFile(const QString& fileName);

  MainWindowLogic& Logic() { return *logic_; }
  PicturePanel& OriginalPanel() const { return *originalPanel_; }
  PicturePanel& EncryptedPanel() const { return *encryptedPanel_; }
  // The line under the result panel: the result picture's verdict after Encrypt.
  QLabel& ResultVerdict() const { return *verdictLabel_; }
  // What the panels' context menu item "Analysis Report..." opens: the report
  // of the panel's picture in a window of its own (nullptr when the panel
  // shows none).
  QWidget* OpenAnalysisReport(const PicturePanel& panel);

  // Where the window's size and position are kept between runs.
  static QString GeometrySettingsKey();
  // Where the Sealed check box's state is remembered.
  static QString SealedSettingsKey();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  class EditorRelay;
  void CreateActions();
  QWidget* CreateCoolBar();
  QWidget* CreateCryptPanel();
  QWidget* CreatePicturePanels();
  void FormShow();
  void PlaceOnScreen();
  void ChoiceChanged();
  void SealedChanged(bool sealed);
  // Runs a handler, then shows its outcome; Pictures says whether the
  // handler may have loaded a picture.
  template <class Handler>
  void Run(Handler&& handler, bool pictures);
  void RunBusy(void (MainWindowLogic::*handler)());
  void RunEnableRules();
  void ShowOriginalPicture();
  void ShowState();
  void ReplaceHint(QWidget* control, std::string_view hint);
  void ShowPanelMenu(const PicturePanel& panel, const QPoint& at);
  // The picture a panel shows (empty when none).
  const Picture& PanelPicture(const PicturePanel& panel) const;

  std::unique_ptr<EditorRelay> editorRelay_;
  std::unique_ptr<MainWindowLogic> logic_;
  std::unique_ptr<CompanionWindows> companions_;
  DesktopPorts ports_;

  QToolBar* toolBar_ = nullptr;
  KeyField* keyEdit_ = nullptr;
  QWidget* cryptPanel_ = nullptr;
  QCheckBox* sealedBox_ = nullptr;
  QComboBox* hashCombo_ = nullptr;
  QComboBox* cipherCombo_ = nullptr;
  QComboBox* modeCombo_ = nullptr;
  QLabel* choiceLabel_ = nullptr;
  PicturePanel* originalPanel_ = nullptr;
  PicturePanel* encryptedPanel_ = nullptr;
  QLabel* verdictLabel_ = nullptr;
  QAction* encryptAction_ = nullptr;
  QAction* decryptAction_ = nullptr;
  QAction* hideFileAction_ = nullptr;
  QToolButton* saveTextButton_ = nullptr;
  QToolButton* saveImageButton_ = nullptr;
  bool shown_ = false;
  // Set when Encrypt has drawn its result before telling of it.
  bool resultShown_ = false;
};

}  // namespace hushlake
