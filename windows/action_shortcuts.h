#pragma once
// A window's action shortcuts come before its controls' own key bindings.
// Text controls claim many Ctrl keys for editing (a line edit takes Ctrl+E
// to move to the end of the line), which would leave an action's shortcut
// dead exactly where the user types; here the window's enabled actions win.
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace hushlake {

class ActionShortcutsFirst : public QObject {
  Q_OBJECT

 public:
  // Watches the key events of every control of Window; lives as its child.
  explicit ActionShortcutsFirst(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool IsEnabledActionShortcut(const QKeySequence& keys) const;

  QPointer<QWidget> window_;
};

}  // namespace hushlake
