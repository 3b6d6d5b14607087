#include "windows/text_form.h"

#include <QClipboard>
#include <QColorDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <algorithm>

#include "app/text_encoding.h"
#include "windows/action_shortcuts.h"
#include "windows/editor_icons.h"
#include "windows/find_dialog.h"
#include "windows/font_dialog.h"
#include "windows/qt_colours.h"
#include "windows/qt_utf8.h"

namespace hushlake {
namespace {

constexpr QSize kInitialSize(708, 656);
constexpr QSize kMinimumSize(377, 400);
constexpr QSize kToolButtonSize(57, 68);
constexpr int kLengthPanelWidth = 250;
// Open Text to Copy in the first row, Cut to Find in the second.
constexpr int kFirstRowButtons = 5;
const QColor kToolBarColour(220, 220, 220);

// "short|long": the short part is the tool tip, the long part the status line.
void SetHint(QAction* action, const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  action->setToolTip(bar < 0 ? hint : hint.left(bar));
  action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

bool CarriesLocalFiles(const QMimeData* source) {
  if (source == nullptr || !source->hasUrls()) return false;
  const QList<QUrl> urls = source->urls();
  return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

// One dropped local file, unless it is a picture: those belong to the main window.
QString DroppedTextFile(const QMimeData* source) {
  if (!CarriesLocalFiles(source) || source->urls().size() != 1) return {};
  const QUrl url = source->urls().front();
  static const QStringList kPictureSuffixes{QStringLiteral("bmp"), QStringLiteral("png"),
                                            QStringLiteral("jpg"), QStringLiteral("jpeg"),
                                            QStringLiteral("gif")};
  const QString fileName = url.toLocalFile();
  if (kPictureSuffixes.contains(QFileInfo(fileName).suffix().toLower())) return {};
  return fileName;
}

// The editor's text uses one paragraph per line; CR LF or a lone CR would
// each become a paragraph of their own.
QString WithLineFeeds(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

TTextRichEdit::TTextRichEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName(QStringLiteral("TextRichEdit"));
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

bool TTextRichEdit::canInsertFromMimeData(const QMimeData* source) const {
  if (CarriesLocalFiles(source)) return !DroppedTextFile(source).isEmpty();
  return QPlainTextEdit::canInsertFromMimeData(source);
}

void TTextRichEdit::insertFromMimeData(const QMimeData* source) {
  // Files are opened, never pasted in as their names.
  if (!CarriesLocalFiles(source)) return QPlainTextEdit::insertFromMimeData(source);
  if (const QString fileName = DroppedTextFile(source); !fileName.isEmpty()) {
    Q_EMIT FileDropped(fileName);
  }
}

void TTextRichEdit::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  Q_EMIT MouseReleased();
}

TTextForm::TTextForm(TextFormPorts ports, QWidget* owner)
    : QMainWindow(owner),
      ports_(ports),
      logic_({*this, ports.files, ports.messages}),
      textRichEdit_(new TTextRichEdit(this)) {
  setObjectName(QStringLiteral("TextForm"));
  setWindowTitle(FromUtf8(editor_texts::Caption));
  resize(kInitialSize);
  setMinimumSize(kMinimumSize);
  setCentralWidget(textRichEdit_);
  ApplyAppearance();

  CreateActions();
  new ActionShortcutsFirst(*this);  // a child of this window, gone with it
  CreateToolBar();
  CreateContextMenu();
  CreateStatusBar();

  // The document reports a change before the editor does: the cached text
  // is gone before anyone hears of the change.
  connect(textRichEdit_->document(), &QTextDocument::contentsChange, this,
          [this] { portText_.reset(); });
  connect(textRichEdit_, &QPlainTextEdit::textChanged, this, &TTextForm::TextRichEditChange);
  connect(textRichEdit_, &QPlainTextEdit::selectionChanged, this, &TTextForm::UpdateEditControls);
  connect(textRichEdit_, &QPlainTextEdit::undoAvailable, this, &TTextForm::ActionListUpdate);
  connect(textRichEdit_, &TTextRichEdit::MouseReleased, this, &TTextForm::UpdateEditControls);
  connect(textRichEdit_, &TTextRichEdit::FileDropped, this, &TTextForm::FileOpen1Accept);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
          &TTextForm::UpdateEditControls);
  lengthPanel_->setText(StatusLine());
  ActionListUpdate();
}

TTextForm::~TTextForm() = default;

QAction* TTextForm::AddAction(const char* name, const QString& caption, const QString& hint,
                              const QKeySequence& shortcut, const QString& icon) {
  auto* action = new QAction(
      EditorIcon(QStringLiteral(":/icons/editor/") + icon + QStringLiteral(".svg")), caption, this);
  action->setObjectName(QString::fromLatin1(name));
  SetHint(action, hint);
  action->setShortcut(shortcut);
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  return action;
}

void TTextForm::CreateActions() {
  fileOpen1_ =
      AddAction("FileOpen1", tr("Open Text"), tr("Open Text File|Opens text file to be encrypted"),
                QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("open_text"));
  fileSaveAs1_ = AddAction("FileSaveAs1", tr("Save Text"), tr("Save Text|Saves decrypted text"),
                           QKeySequence(Qt::CTRL | Qt::Key_S), QStringLiteral("save_text"));
  fontEdit1_ = AddAction("FontEdit1", tr("Font"), tr("Select Font|Change the editor's font"),
                         QKeySequence(Qt::CTRL | Qt::Key_F), QStringLiteral("font"));
  colorSelect1_ = AddAction("ColorSelect1", tr("Colour"),
                            tr("Background Color|Set the editor's background colour"),
                            QKeySequence(Qt::CTRL | Qt::Key_B), QStringLiteral("colour"));
  editPaste1_ = AddAction("EditPaste1", tr("Paste"), tr("Paste|Inserts Clipboard contents"),
                          QKeySequence(Qt::CTRL | Qt::Key_V), QStringLiteral("paste"));
  editDelete1_ = AddAction("EditDelete1", tr("Delete"), tr("Delete|Erases the selection"),
                           QKeySequence(Qt::Key_Delete), QStringLiteral("delete"));
  editUndo1_ = AddAction("EditUndo1", tr("Undo"), tr("Undo|Reverts the last action"),
                         QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("undo"));
  editCut1_ =
      AddAction("EditCut1", tr("Cu&t"), tr("Cut|Cuts the selection and puts it on the Clipboard"),
                QKeySequence(Qt::CTRL | Qt::Key_X), QStringLiteral("cut"));
  editCopy1_ = AddAction("EditCopy1", tr("&Copy"),
                         tr("Copy|Copies the selection and puts it on the Clipboard"),
                         QKeySequence(Qt::CTRL | Qt::Key_C), QStringLiteral("copy"));
  // Ctrl+F belongs to Font, which comes first; two owners of one key would
  // leave Qt with an ambiguous shortcut that neither receives.
  searchFind1_ = AddAction("SearchFind1", tr("&Find..."), tr("Find|Finds the specified text"),
                           QKeySequence(), QStringLiteral("find"));
  // The tool button shows "&Find" where the action reads "&Find...".
  searchFind1_->setIconText(tr("&Find"));

  connect(fileOpen1_, &QAction::triggered, this, &TTextForm::RunOpenDialog);
  connect(fileSaveAs1_, &QAction::triggered, this, &TTextForm::RunSaveDialog);
  connect(fontEdit1_, &QAction::triggered, this, &TTextForm::RunFontDialog);
  connect(colorSelect1_, &QAction::triggered, this, &TTextForm::RunColourDialog);
  connect(editPaste1_, &QAction::triggered, textRichEdit_, &QPlainTextEdit::paste);
  connect(editDelete1_, &QAction::triggered, this,
          [this] { textRichEdit_->textCursor().removeSelectedText(); });
  connect(editUndo1_, &QAction::triggered, textRichEdit_, &QPlainTextEdit::undo);
  connect(editCut1_, &QAction::triggered, textRichEdit_, &QPlainTextEdit::cut);
  connect(editCopy1_, &QAction::triggered, textRichEdit_, &QPlainTextEdit::copy);
  connect(searchFind1_, &QAction::triggered, this, &TTextForm::ShowFindDialog);
}

QToolBar* TTextForm::CreateToolBarRow(const QString& objectName) {
  QToolBar* row = addToolBar(tr("Tools"));
  row->setObjectName(objectName);
  row->setMovable(false);
  row->setFloatable(false);
  row->setIconSize(QSize(48, 48));
  row->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  row->setContextMenuPolicy(Qt::PreventContextMenu);
  // A flat band of the tool bar colour rather than the style's gradient.
  row->setStyleSheet(QStringLiteral("QToolBar#%1 { background: %2; border: none; spacing: 2px; }")
                         .arg(objectName, kToolBarColour.name()));
  return row;
}

void TTextForm::CreateToolBar() {
  toolBar1_ = CreateToolBarRow(QStringLiteral("ToolBar1"));
  for (QAction* action : ToolBarActions()) PutOnToolBar(*toolBar1_, action);
  oneRowWidth_ = toolBar1_->sizeHint().width();
  // The second row, under the first, for a window too narrow for one.
  addToolBarBreak();
  toolBar2_ = CreateToolBarRow(QStringLiteral("ToolBar2"));
  toolBar2_->hide();
}

std::array<QAction*, 10> TTextForm::ToolBarActions() const {
  return {fileOpen1_, fileSaveAs1_, fontEdit1_,   colorSelect1_, editCopy1_,
          editCut1_,  editPaste1_,  editDelete1_, editUndo1_,    searchFind1_};
}

void TTextForm::PutOnToolBar(QToolBar& row, QAction* action) {
  row.addAction(action);
  row.widgetForAction(action)->setMinimumSize(kToolButtonSize);
}

// Too narrow for all ten buttons in one row, the window shows them in two
// rather than hiding some behind the tool bar's overflow button.
void TTextForm::ArrangeToolBars() {
  const bool twoRows = width() < oneRowWidth_;
  if (twoRows == toolBar2_->isVisibleTo(this)) return;
  const std::array<QAction*, 10> actions = ToolBarActions();
  const auto secondRow = actions.begin() + kFirstRowButtons;
  for (auto action = secondRow; action != actions.end(); ++action) {
    (twoRows ? toolBar1_ : toolBar2_)->removeAction(*action);
    PutOnToolBar(twoRows ? *toolBar2_ : *toolBar1_, *action);
  }
  toolBar2_->setVisible(twoRows);
}

void TTextForm::resizeEvent(QResizeEvent* event) {
  ArrangeToolBars();
  QMainWindow::resizeEvent(event);
}

void TTextForm::CreateContextMenu() {
  popupMenu1_ = new QMenu(this);
  popupMenu1_->setObjectName(QStringLiteral("PopupMenu1"));
  popupMenu1_->addAction(editCopy1_);
  popupMenu1_->addAction(editCut1_);
  popupMenu1_->addAction(editPaste1_);
  popupMenu1_->addAction(editDelete1_);
  popupMenu1_->addSeparator();
  popupMenu1_->addAction(editUndo1_);
  textRichEdit_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(textRichEdit_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateEditControls();
    popupMenu1_->popup(textRichEdit_->viewport()->mapToGlobal(at));
  });
}

void TTextForm::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName(QStringLiteral("TextStatusBar"));
  bar->setSizeGripEnabled(true);
  bar->setStyleSheet(
      QStringLiteral("QStatusBar#TextStatusBar { background: %1; }").arg(kToolBarColour.name()));
  lengthPanel_ = new QLabel(bar);
  lengthPanel_->setObjectName(QStringLiteral("LengthPanel"));
  lengthPanel_->setMinimumWidth(kLengthPanelWidth);
  hintPanel_ = new QLabel(bar);
  hintPanel_->setObjectName(QStringLiteral("HintPanel"));
  bar->addWidget(lengthPanel_);
  bar->addWidget(hintPanel_, 1);
}

std::string TTextForm::Text() const {
  if (!portText_) portText_ = WithCrLfLineBreaks(textRichEdit_->toPlainText().toStdString());
  return *portText_;
}

void TTextForm::ReplaceText(const std::string& text) {
  // One undoable step, so that Undo can bring back what was there before.
  QTextCursor cursor(textRichEdit_->document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(WithLineFeeds(FromUtf8(text)));
  cursor.endEditBlock();
  textRichEdit_->moveCursor(QTextCursor::Start);
}

void TTextForm::SetImageCapacity(int characters) {
  logic_.SetImageCapacity(characters);
  // The figure follows the new picture at once rather than at the next key.
  lengthPanel_->setText(StatusLine());
}

void TTextForm::ShowEditor() {
  show();
  raise();
  activateWindow();
}

void TTextForm::FocusEditor() {
  activateWindow();
  textRichEdit_->setFocus();
}

QString TTextForm::StatusLine() const {
  return FromUtf8(TextLengthStatus(Text(), logic_.ImageCapacity()));
}

void TTextForm::showEvent(QShowEvent* event) {
  if (!placed_ && parentWidget() != nullptr) {
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->frameGeometry().center());
    move(frame.topLeft());
  }
  placed_ = true;
  FormShow();
  QMainWindow::showEvent(event);
}

bool TTextForm::event(QEvent* event) {
  // Long hints go to the second panel; the length line stays in view.
  if (event->type() == QEvent::StatusTip) {
    hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

void TTextForm::FormShow() {
  appearance_ = ReadEditorAppearance(ports_.settings, appearance_);
  ApplyAppearance();
  // A new undo history: nothing done before showing can be taken back.
  textRichEdit_->document()->clearUndoRedoStacks();
  logic_.FormShow();
  ActionListUpdate();
}

void TTextForm::ApplyAppearance() {
  QFont font(QString::fromStdString(appearance_.font.name));
  font.setPointSize(appearance_.font.pointSize);
  font.setUnderline(appearance_.font.underline);
  font.setStrikeOut(appearance_.font.strikeOut);
  textRichEdit_->setFont(font);
  QPalette palette = textRichEdit_->palette();
  palette.setColor(QPalette::Base, ToQColor(appearance_.background));
  palette.setColor(QPalette::Text, ToQColor(appearance_.font.colour));
  textRichEdit_->setPalette(palette);
}

void TTextForm::TextRichEditChange() {
  portText_.reset();
  lengthPanel_->setText(FromUtf8(logic_.TextRichEditChange()));
  ActionListUpdate();
  Q_EMIT EditorTextChanged();
}

void TTextForm::ActionListUpdate() {
  // Asked on every change: the document answers without copying the text.
  const bool hasText = !textRichEdit_->document()->isEmpty();
  if (QWidget* saveButton = toolBar1_->widgetForAction(fileSaveAs1_))
    saveButton->setEnabled(hasText);
  searchFind1_->setEnabled(hasText);
  editUndo1_->setEnabled(logic_.UndoEnabled(textRichEdit_->document()->isUndoAvailable()));
  UpdateEditControls();
}

void TTextForm::UpdateEditControls() {
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  const EditControls controls = EditControlsFor(textRichEdit_->textCursor().hasSelection(),
                                                clipboard != nullptr && clipboard->hasText());
  editCopy1_->setEnabled(controls.copyCutDelete);
  editCut1_->setEnabled(controls.copyCutDelete);
  editDelete1_->setEnabled(controls.copyCutDelete);
  editPaste1_->setEnabled(controls.paste);
}

void TTextForm::FileOpen1Accept(const QString& fileName) {
  logic_.FileOpen1Accept(fileName.toStdString());
}

void TTextForm::FileSaveAs1Accept(const QString& fileName) {
  logic_.FileSaveAs1Accept(fileName.toStdString());
}

void TTextForm::FontEdit1Accept(const EditorFont& font) {
  appearance_.font = font;
  ApplyAppearance();
  WriteEditorFont(ports_.settings, font);
}

void TTextForm::ColorSelect1Accept(BgrColour background) {
  appearance_.background = background;
  ApplyAppearance();
  WriteEditorBackground(ports_.settings, background);
}

void TTextForm::RunOpenDialog() {
  if (auto chosen = ports_.dialogs.RunOpenDialog(editor_texts::OpenDialog)) {
    FileOpen1Accept(QString::fromStdString(*chosen));
  }
}

void TTextForm::RunSaveDialog() {
  if (auto chosen = ports_.dialogs.RunSaveDialog(editor_texts::SaveDialog)) {
    FileSaveAs1Accept(QString::fromStdString(*chosen));
  }
}

void TTextForm::RunFontDialog() {
  TFontDialog dialog(appearance_.font, this);
  if (dialog.exec() == QDialog::Accepted) FontEdit1Accept(dialog.ChosenFont());
}

void TTextForm::RunColourDialog() {
  const QColor chosen =
      QColorDialog::getColor(ToQColor(appearance_.background), this, tr("Background Color"));
  if (chosen.isValid()) ColorSelect1Accept(ToBgrColour(chosen));
}

void TTextForm::ShowFindDialog() {
  if (findDialog_ == nullptr) {
    findDialog_ = new TFindDialog(this);
    connect(findDialog_, &TFindDialog::FindNext, this, &TTextForm::SearchFindNext);
  }
  const QString selected = textRichEdit_->textCursor().selectedText();
  if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
    findDialog_->SetFindText(selected);
  }
  findDialog_->show();
  findDialog_->raise();
  findDialog_->activateWindow();
}

bool TTextForm::FindNext(const QString& text, bool matchCase) {
  if (text.isEmpty()) return false;
  const QTextDocument::FindFlags flags =
      matchCase ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
  return textRichEdit_->find(text, flags);
}

void TTextForm::SearchFindNext(const QString& text, bool matchCase) {
  if (!FindNext(text, matchCase)) {
    ports_.messages.ShowInformation(QStringLiteral("Cannot find \"%1\"").arg(text).toStdString());
  }
}

}  // namespace hushlake
