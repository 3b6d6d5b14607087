// Plain stand-ins for the text editor, help and about windows: enough for the
// main window's workflow (text in and out, capacity, show and focus).
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "windows/companion_windows.h"

namespace hushlake {

namespace {

class PlaceholderEditor : public QWidget, public TextEditorPort {
 public:
  explicit PlaceholderEditor(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("TextForm"));
    setWindowTitle(QStringLiteral("Hushlake - Text Editor"));
    resize(708, 656);
    auto* layout = new QVBoxLayout(this);
    edit_ = new QPlainTextEdit(this);
    edit_->setObjectName(QStringLiteral("TextRichEdit"));
    status_ = new QLabel(this);
    layout->addWidget(edit_);
    layout->addWidget(status_);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, this, [this] {
      UpdateStatus();
      if (changed_) changed_();
    });
  }

  std::string Text() const override { return edit_->toPlainText().toStdString(); }
  void ReplaceText(const std::string& text) override { edit_->setPlainText(QString::fromStdString(text)); }
  void SetImageCapacity(int characters) override {
    capacity_ = characters;
    UpdateStatus();
  }
  void ShowEditor() override {
    show();
    raise();
  }
  void FocusEditor() override {
    activateWindow();
    edit_->setFocus();
  }
  void OnChanged(std::function<void()> handler) { changed_ = std::move(handler); }

 private:
  void UpdateStatus() {
    const qsizetype length = edit_->toPlainText().size();
    status_->setText(capacity_ < 1 ? QStringLiteral("Text Length: %1").arg(length)
                                   : QStringLiteral("Text length: %1 out of %2 possible")
                                         .arg(length)
                                         .arg(capacity_));
  }

  QPlainTextEdit* edit_;
  QLabel* status_;
  int capacity_ = 0;
  std::function<void()> changed_;
};

class PlaceholderInfoWindow : public QWidget {
 public:
  PlaceholderInfoWindow(QWidget* owner, const QString& name, const QString& title)
      : QWidget(owner, Qt::Window) {
    setObjectName(name);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(title, this));
    resize(700, 634);
  }
};

class PlaceholderCompanions : public CompanionWindows {
 public:
  explicit PlaceholderCompanions(QWidget* owner)
      : help_(owner, QStringLiteral("HelpForm"), QStringLiteral("Hushlake - Help and Usage")),
        about_(owner, QStringLiteral("AboutForm"), QStringLiteral("Hushlake - About")),
        editor_(owner) {}

  TextEditorPort& Editor() override { return editor_; }
  QWidget& EditorWindow() override { return editor_; }
  void ShowHelp() override { help_.show(); }
  void ShowAbout() override { about_.show(); }
  void OnEditorTextChanged(std::function<void()> handler) override {
    editor_.OnChanged(std::move(handler));
  }

 private:
  PlaceholderInfoWindow help_;
  PlaceholderInfoWindow about_;
  PlaceholderEditor editor_;
};

}  // namespace

std::unique_ptr<CompanionWindows> CreateCompanionWindows(QWidget* owner, CompanionPorts) {
  return std::make_unique<PlaceholderCompanions>(owner);
}

}  // namespace hushlake
