#include "windows/ormwick_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyleOptionComboBox>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/toolkit_text.h"
#include "stego/analysis/analysis.h"
#include "windows/action_shortcuts.h"
#include "windows/analysis_window.h"
#include "windows/key_field.h"
#include "windows/picture_panel.h"
#include "windows/qt_settings_store.h"
#include "windows/qt_utf8.h"
#include "windows/tool_icons.h"

namespace hushlake {

namespace {

constexpr QSize StartSize(700, 648);
constexpr QSize MinimumSize(700, 500);
const QColor PanelColour(220, 220, 220);

// A two-part hint: the short part as the tool tip, the long part for the status bar.
void SetHint(QWidget* widget, std::string_view hint) {
  const HintText parts = SplitHint(hint);
  widget->setToolTip(QString::fromStdString(parts.toolTip));
  widget->setStatusTip(QString::fromStdString(parts.statusText));
}

void SetHint(QAction* action, std::string_view hint) {
  const HintText parts = SplitHint(hint);
  action->setToolTip(QString::fromStdString(parts.toolTip));
  action->setStatusTip(QString::fromStdString(parts.statusText));
}

void FillBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// A list as wide as the item it shows, not as its longest item: the choice
// row holds the Sealed box, three lists and the label at the window's
// smallest width, and the label keeps one line for the lists' first items.
// Closed, a list shows only its item; open, it is as wide as its longest.
class FittedList : public QComboBox {
 public:
  explicit FittedList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this] { updateGeometry(); });
  }
  QSize sizeHint() const override {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize text(fontMetrics().horizontalAdvance(currentText()), fontMetrics().height());
    return {style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this).width(),
            QComboBox::sizeHint().height()};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }
  void showPopup() override {
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() +
                            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    QComboBox::showPopup();
  }
};

template <std::size_t N>
QComboBox* NewList(QWidget* parent, const char* name, const std::array<std::string_view, N>& items,
                   std::string_view hint) {
  auto* combo = new FittedList(parent);
  combo->setObjectName(QString::fromLatin1(name));
  for (std::string_view item : items) combo->addItem(FromUtf8(item));
  combo->setMaxVisibleItems(static_cast<int>(N));  // all items shown when open
  SetHint(combo, hint);
  return combo;
}

// A long action shows the busy pointer until it returns.
class BusyCursor {
 public:
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

// The logic is created before the editor window exists; until it is
// attached the editor reads as empty and ignores requests.
class TOrmwickForm::EditorRelay : public TextEditorPort {
 public:
  void Attach(TextEditorPort* target) { target_ = target; }
  std::string Text() const override { return target_ ? target_->Text() : std::string(); }
  void ReplaceText(const std::string& text) override {
    if (target_) target_->ReplaceText(text);
  }
  void SetImageCapacity(int characters) override {
    if (target_) target_->SetImageCapacity(characters);
  }
  void ShowEditor() override {
    if (target_) target_->ShowEditor();
  }
  void FocusEditor() override {
    if (target_) target_->FocusEditor();
  }

 private:
  TextEditorPort* target_ = nullptr;
};

TOrmwickForm::TOrmwickForm(DesktopPorts ports, QWidget* parent)
    : QMainWindow(parent), editorRelay_(std::make_unique<EditorRelay>()), ports_(ports) {
  setObjectName(QStringLiteral("OrmwickForm"));
  setWindowTitle(QStringLiteral("Hushlake"));
  setWindowIcon(ApplicationIcon());
  resize(StartSize);
  setMinimumSize(MinimumSize);
  setAcceptDrops(true);

  keyEdit_ = new KeyField;
  logic_ = std::make_unique<MainWindowLogic>(MainWindowPorts{
      ports.messages, *editorRelay_, *keyEdit_, ports.settings, ports.files, ports.dialogs});

  CreateActions();
  new ActionShortcutsFirst(*this);  // a child of this window, gone with it
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(CreateCoolBar());
  layout->addWidget(CreatePicturePanels(), 1);
  setCentralWidget(central);
  statusBar()->setObjectName(QStringLiteral("StatusBar"));

  // Encrypt's result is drawn before the message that reports it.
  logic_->OnViewChanged([this] {
    encryptedPanel_->SetPicture(logic_->EncryptedImage());
    resultShown_ = true;
    ShowState();
  });
  logic_->FormCreate();
  {
    const QSettings settings(QString::fromLatin1(SettingsOrganisation),
                             QString::fromLatin1(SettingsApplication));
    sealedBox_->setChecked(settings.value(SealedSettingsKey(), false).toBool());
    logic_->SetSealed(sealedBox_->isChecked());
  }
  statusBar()->clearMessage();
  connect(keyEdit_, &QLineEdit::textChanged, this, &TOrmwickForm::RunEnableRules);
  RunEnableRules();
  PlaceOnScreen();
}

TOrmwickForm::~TOrmwickForm() = default;

void TOrmwickForm::CreateActions() {
  struct ActionSpec {
    const char* name;
    const char* caption;
    std::string_view hint;
    QKeySequence shortcut;
    const char* icon;
    const char* button;
    std::function<void()> handler;
  };
  const ActionSpec specs[] = {
      {"FileOpen", "Open Text", "Open Text File|Open text file to be encrypted",
       QKeySequence(Qt::CTRL | Qt::Key_O), "open_text", "ToolButton1",
       [this] { Run([this] { logic_->FileOpenExecute(); }, false); }},
      {"FileSaveAs", "Save Text", "Save Text File|Save decrypted text",
       QKeySequence(Qt::CTRL | Qt::Key_S), "save_text", "ToolButton2",
       [this] { Run([this] { logic_->FileSaveAsExecute(); }, false); }},
      {"OpenPicture", "Open Img", "Open Picture|Load a bitmap", QKeySequence(Qt::CTRL | Qt::Key_I),
       "open_image", "ToolButton4",
       [this] { Run([this] { logic_->OpenPictureExecute(); }, true); }},
      {"SaveImageAction", "Save Img", "Save Picture|Save encrypted image",
       QKeySequence(Qt::CTRL | Qt::Key_J), "save_image", "ToolButton10",
       [this] { Run([this] { logic_->SaveImageActionExecute(); }, false); }},
      {"EncryptAction", "Encrypt", "Encrypt|Create stego encryption",
       QKeySequence(Qt::CTRL | Qt::Key_E), "encrypt", "ToolButton6",
       [this] { RunBusy(&MainWindowLogic::EncryptActionExecute); }},
      {"DecryptAction", "Decrypt", "Decrypt|Decrypt the stego image",
       QKeySequence(Qt::CTRL | Qt::Key_D), "decrypt", "ToolButton7",
       [this] { RunBusy(&MainWindowLogic::DecryptActionExecute); }},
      {"ShowTextAction", "Editor", "Show Editor|Show text editor",
       QKeySequence(Qt::CTRL | Qt::Key_T), "editor", "ToolButton11",
       [this] { editorRelay_->ShowEditor(); }},
      {"HelpContents", "Help", "Help|Help and usage", QKeySequence(Qt::Key_F1), "help",
       "ToolButton8",
       [this] {
         if (companions_) companions_->ShowHelp();
       }},
      {"AboutAction", "About", "About|Program information and license agreement",
       QKeySequence(Qt::Key_F11), "about", "ToolButton9",
       [this] {
         if (companions_) companions_->ShowAbout();
       }},
      {"FileExit", "E&xit", "Exit|Close the application",
       QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X), "exit", "ToolButton3", [this] { close(); }},
  };
  toolBar_ = new QToolBar(this);
  toolBar_->setObjectName(QStringLiteral("ToolBar1"));
  toolBar_->setMovable(false);
  toolBar_->setFloatable(false);
  toolBar_->setIconSize(QSize(ToolImageSize, ToolImageSize));
  toolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (const ActionSpec& spec : specs) {
    auto* action = new QAction(ToolIcon(QString::fromLatin1(spec.icon)),
                               QString::fromLatin1(spec.caption), this);
    action->setObjectName(QString::fromLatin1(spec.name));
    action->setShortcut(spec.shortcut);
    SetHint(action, spec.hint);
    connect(action, &QAction::triggered, this, spec.handler);
    addAction(action);  // shortcuts work whatever has the focus in this window
    toolBar_->addAction(action);
    auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(action));
    if (button) button->setObjectName(QString::fromLatin1(spec.button));
  }
  encryptAction_ = findChild<QAction*>(QStringLiteral("EncryptAction"));
  decryptAction_ = findChild<QAction*>(QStringLiteral("DecryptAction"));
  saveTextButton_ = toolBar_->findChild<QToolButton*>(QStringLiteral("ToolButton2"));
  saveImageButton_ = toolBar_->findChild<QToolButton*>(QStringLiteral("ToolButton10"));
  // Hide a file: Encrypt of a file instead of the text, in sealed pictures
  // only. It opens from the Open Text button's menu: that button is always
  // enabled, while Encrypt's waits for a text.
  hideFileAction_ = new QAction(QStringLiteral("Hide a file..."), this);
  hideFileAction_->setObjectName(QStringLiteral("HideFileAction"));
  SetHint(hideFileAction_,
          "Hide a File|Seal a file, with its name, into the picture (Sealed only)");
  connect(hideFileAction_, &QAction::triggered, this,
          [this] { RunBusy(&MainWindowLogic::HideFileExecute); });
  if (auto* openTextButton = toolBar_->findChild<QToolButton*>(QStringLiteral("ToolButton1"))) {
    auto* openMenu = new QMenu(openTextButton);
    openMenu->addAction(hideFileAction_);
    openTextButton->setMenu(openMenu);
    openTextButton->setPopupMode(QToolButton::MenuButtonPopup);
  }
  // The Open Img button carries a hint of its own.
  if (auto* openButton = toolBar_->findChild<QToolButton*>(QStringLiteral("ToolButton4")))
    SetHint(openButton, "Load|Load a bitmap");
}

QWidget* TOrmwickForm::CreateCoolBar() {
  auto* coolBar = new QWidget;
  coolBar->setObjectName(QStringLiteral("MainCoolBar"));
  SetHint(coolBar, "Encryption Key|Enter the encryption key");
  auto* bands = new QVBoxLayout(coolBar);
  bands->setContentsMargins(4, 2, 4, 4);
  bands->setSpacing(4);
  bands->addWidget(toolBar_);

  auto* keyPanel = new QWidget(coolBar);
  keyPanel->setObjectName(QStringLiteral("KeyPanel"));
  auto* keyRow = new QHBoxLayout(keyPanel);
  keyRow->setContentsMargins(0, 0, 0, 0);
  keyEdit_->setParent(keyPanel);
  // A first-time user learns the rule before typing rather than from a refusal.
  keyEdit_->setPlaceholderText(QStringLiteral("Encryption key: at least 9 characters"));
  SetHint(keyEdit_, "Encryption Key|Encryption Key");
  keyRow->addWidget(keyEdit_);
  bands->addWidget(keyPanel);
  bands->addWidget(CreateCryptPanel());
  return coolBar;
}

QWidget* TOrmwickForm::CreateCryptPanel() {
  cryptPanel_ = new QWidget;
  cryptPanel_->setObjectName(QStringLiteral("CryptPanel"));
  auto* row = new QHBoxLayout(cryptPanel_);
  row->setContentsMargins(0, 0, 0, 0);
  hashCombo_ = NewList(cryptPanel_, "HashCombo", HashListItems,
                       "Hash Algorithm|Hash algorithm used when creating cipher encryption key");
  cipherCombo_ = NewList(cryptPanel_, "CipherCombo", CipherListItems,
                         "Cipher Algorithm|Cipher algorithm used in encryption");
  modeCombo_ = NewList(cryptPanel_, "ModeCombo", ModeListItems,
                       "Cipher Mode|Mode of cipher algorithm operation");
  choiceLabel_ = new QLabel(cryptPanel_);
  choiceLabel_->setObjectName(QStringLiteral("CryptChoiceLabel"));
  choiceLabel_->setWordWrap(true);
  // Wrapped onto a second line when the window is narrow, and the row grows
  // to show it: the policy keeps the label's height following its width.
  QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
  wrapping.setHeightForWidth(true);
  choiceLabel_->setSizePolicy(wrapping);
  // Sealed takes the place of the three lists, so it stands first among them.
  sealedBox_ = new QCheckBox(QStringLiteral("Sealed"), cryptPanel_);
  sealedBox_->setObjectName(QStringLiteral("SealedCheck"));
  SetHint(sealedBox_,
          "Sealed|A sealed picture: nothing shows without the key, and no hash, cipher or mode "
          "to remember (24 and 32 bits)");
  row->addWidget(sealedBox_);
  row->addWidget(hashCombo_);
  row->addWidget(cipherCombo_);
  row->addWidget(modeCombo_);
  row->addWidget(choiceLabel_, 1);
  for (QComboBox* combo : {hashCombo_, cipherCombo_, modeCombo_})
    connect(combo, &QComboBox::currentIndexChanged, this, &TOrmwickForm::ChoiceChanged);
  connect(sealedBox_, &QCheckBox::toggled, this, &TOrmwickForm::SealedChanged);
  return cryptPanel_;
}

QWidget* TOrmwickForm::CreatePicturePanels() {
  auto* holder = new QWidget;
  auto* grid = new QGridLayout(holder);
  // Two equal halves with 4 pixels between them: each panel is
  // (window width div 2) - 2 wide, at every size. Under the result panel,
  // one line for its picture's verdict.
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  originalPanel_ = new PicturePanel(holder);
  originalPanel_->setObjectName(QStringLiteral("OriginalPanel"));
  encryptedPanel_ = new PicturePanel(holder);
  encryptedPanel_->setObjectName(QStringLiteral("EncryptedPanel"));
  verdictLabel_ = new QLabel(holder);
  verdictLabel_->setObjectName(QStringLiteral("ResultVerdict"));
  // A long verdict is cut rather than widening its half of the window.
  verdictLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  grid->addWidget(originalPanel_, 0, 0);
  grid->addWidget(encryptedPanel_, 0, 1);
  grid->addWidget(verdictLabel_, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(0, 1);
  for (PicturePanel* panel : {originalPanel_, encryptedPanel_}) {
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel, &QWidget::customContextMenuRequested, this,
            [this, panel](const QPoint& at) { ShowPanelMenu(*panel, at); });
  }
  return holder;
}

const Picture& TOrmwickForm::PanelPicture(const PicturePanel& panel) const {
  return &panel == encryptedPanel_ ? logic_->EncryptedImage() : logic_->OriginalImage();
}

void TOrmwickForm::ShowPanelMenu(const PicturePanel& panel, const QPoint& at) {
  QMenu menu(this);
  QAction* report = menu.addAction(QStringLiteral("Analysis Report..."));
  report->setObjectName(QStringLiteral("AnalysisReportAction"));
  report->setEnabled(!PanelPicture(panel).Empty());
  if (menu.exec(panel.mapToGlobal(at)) == report) OpenAnalysisReport(panel);
}

QWidget* TOrmwickForm::OpenAnalysisReport(const PicturePanel& panel) {
  const Picture& picture = PanelPicture(panel);
  if (picture.Empty()) return nullptr;
  analysis::PictureAnalysis report;
  {
    BusyCursor busy;
    report = analysis::AnalyzePicture(picture);
  }
  const QString name = &panel == encryptedPanel_ ? QStringLiteral("Result picture")
                                                 : QStringLiteral("Original picture");
  auto* window = new AnalysisWindow(name, report, this);
  window->show();
  return window;
}

void TOrmwickForm::AttachCompanions(std::unique_ptr<CompanionWindows> companions) {
  companions_ = std::move(companions);
  editorRelay_->Attach(companions_ ? &companions_->Editor() : nullptr);
  if (companions_) companions_->OnEditorTextChanged([this] { RunEnableRules(); });
  RunEnableRules();
}

void TOrmwickForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) FormShow();
  shown_ = true;
}

void TOrmwickForm::FormShow() {
  for (QWidget* widget :
       {static_cast<QWidget*>(originalPanel_), static_cast<QWidget*>(encryptedPanel_),
        static_cast<QWidget*>(statusBar()), findChild<QWidget*>(QStringLiteral("MainCoolBar")),
        static_cast<QWidget*>(toolBar_), cryptPanel_})
    FillBackground(widget, PanelColour);
  // The platform style paints tool bars with a gradient of its own; ours is plain.
  toolBar_->setStyleSheet(
      QStringLiteral("QToolBar { background: rgb(220, 220, 220); border: 0; }"));
  logic_->FormShow();
  ShowState();
}

QString TOrmwickForm::GeometrySettingsKey() { return QStringLiteral("Window/MainGeometry"); }

QString TOrmwickForm::SealedSettingsKey() { return QStringLiteral("Window/Sealed"); }

void TOrmwickForm::PlaceOnScreen() {
  QSettings settings(QString::fromLatin1(SettingsOrganisation),
                     QString::fromLatin1(SettingsApplication));
  if (restoreGeometry(settings.value(GeometrySettingsKey()).toByteArray())) return;
  if (const QScreen* screen = QApplication::primaryScreen()) {
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void TOrmwickForm::closeEvent(QCloseEvent* event) {
  QSettings settings(QString::fromLatin1(SettingsOrganisation),
                     QString::fromLatin1(SettingsApplication));
  settings.setValue(GeometrySettingsKey(), saveGeometry());
  QMainWindow::closeEvent(event);
}

void TOrmwickForm::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* dropped = event->mimeData();
  if (dropped->hasUrls() && !dropped->urls().isEmpty() &&
      dropped->urls().constFirst().isLocalFile())
    event->acceptProposedAction();
}

void TOrmwickForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
  event->acceptProposedAction();
  OpenPictureFile(urls.constFirst().toLocalFile());
}

void TOrmwickForm::OpenPictureFile(const QString& fileName) {
  Run([&] { logic_->OpenPictureAccept(fileName.toStdString()); }, true);
}

void TOrmwickForm::ChoiceChanged() {
  logic_->SetChoice(CipherChoice{hashCombo_->currentText().toStdString(),
                                 cipherCombo_->currentText().toStdString(),
                                 modeCombo_->currentIndex()});
  ShowState();
}

void TOrmwickForm::SealedChanged(bool sealed) {
  logic_->SetSealed(sealed);
  QSettings settings(QString::fromLatin1(SettingsOrganisation),
                     QString::fromLatin1(SettingsApplication));
  settings.setValue(SealedSettingsKey(), sealed);
  RunEnableRules();
}

template <class Handler>
void TOrmwickForm::Run(Handler&& handler, bool pictures) {
  handler();
  if (pictures) ShowOriginalPicture();
  RunEnableRules();
}

void TOrmwickForm::RunBusy(void (MainWindowLogic::*handler)()) {
  // Nothing to wait for when the handler is going to refuse at once.
  const bool encrypts = handler != &MainWindowLogic::DecryptActionExecute;
  const bool allowed = handler == &MainWindowLogic::EncryptActionExecute ? logic_->CanEncrypt()
                       : encrypts                                        ? logic_->CanHideFile()
                                                                         : logic_->CanDecrypt();
  if (!allowed) return;
  const Picture& original = logic_->OriginalImage();
  const QSize sizeBefore(original.Width(), original.Height());
  resultShown_ = false;
  {
    BusyCursor busy;
    ((*logic_).*handler)();
  }
  // The engine trims an odd-sized picture; only Encrypt makes a new one.
  if (QSize(original.Width(), original.Height()) != sizeBefore) ShowOriginalPicture();
  if (encrypts) {
    const Picture& result = logic_->EncryptedImage();
    if (!resultShown_) encryptedPanel_->SetPicture(result);
    if (!result.Empty()) {
      BusyCursor busy;
      verdictLabel_->setText(VerdictLine(analysis::AnalyzePicture(result)));
      verdictLabel_->setToolTip(
          verdictLabel_->text() +
          QStringLiteral("\nThe picture's context menu shows the full report."));
    }
  }
  RunEnableRules();
}

void TOrmwickForm::RunEnableRules() {
  logic_->EncryptActionListUpdate();
  ShowState();
}

void TOrmwickForm::ShowOriginalPicture() { originalPanel_->SetPicture(logic_->OriginalImage()); }

// The status line shows the long hint of the control under the mouse until
// the mouse leaves it; a hint that changes meanwhile changes there too.
void TOrmwickForm::ReplaceHint(QWidget* control, std::string_view hint) {
  const QString before = control->statusTip();
  SetHint(control, hint);
  if (control->statusTip() != before && !before.isEmpty() &&
      statusBar()->currentMessage() == before)
    statusBar()->showMessage(control->statusTip());
}

void TOrmwickForm::ShowState() {
  const MainWindowView& view = logic_->View();
  encryptAction_->setEnabled(view.encryptEnabled);
  decryptAction_->setEnabled(view.decryptEnabled);
  hideFileAction_->setEnabled(logic_->CanHideFile());
  // The buttons, not the actions: their shortcuts stay live.
  saveTextButton_->setEnabled(view.saveTextButtonEnabled);
  saveImageButton_->setEnabled(view.saveImageButtonEnabled);

  originalPanel_->SetPictureVisible(view.originalVisible);
  ReplaceHint(originalPanel_, view.originalHint);
  ReplaceHint(encryptedPanel_, view.encryptedHint);
  // The verdict belongs to the result picture it was made of.
  if (logic_->EncryptedImage().Empty()) {
    verdictLabel_->clear();
    verdictLabel_->setToolTip(QString());
  }
  for (QWidget* control : {static_cast<QWidget*>(hashCombo_), static_cast<QWidget*>(cipherCombo_),
                           static_cast<QWidget*>(modeCombo_), static_cast<QWidget*>(choiceLabel_)})
    control->setEnabled(view.cryptControlsEnabled);
  ReplaceHint(cryptPanel_, view.cryptHint);
  ReplaceHint(choiceLabel_, view.cryptHint);
  const QString choice = FromUtf8(view.choiceLabel);
  if (choiceLabel_->text() != choice) {
    choiceLabel_->setText(choice);
    // The label may now need a line more or less. The layouts above it keep
    // the heights they measured for their widths until told otherwise.
    for (QWidget* holder = cryptPanel_; holder != nullptr && holder != this;
         holder = holder->parentWidget())
      holder->updateGeometry();
  }
}

}  // namespace hushlake
