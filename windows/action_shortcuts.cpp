#include "windows/action_shortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>

namespace hushlake {

ActionShortcutsFirst::ActionShortcutsFirst(QWidget& window) : QObject(&window), window_(&window) {
  // The focus control gets the override question, not the window: only an
  // application-wide filter sees it for controls added at any time.
  QApplication::instance()->installEventFilter(this);
}

bool ActionShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride || window_ == nullptr) return false;
  auto* control = qobject_cast<QWidget*>(watched);
  if (control == nullptr || control->window() != window_) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!IsEnabledActionShortcut(QKeySequence(key->keyCombination()))) return false;
  // Not claimed by the control: the shortcut map hands the key to the action.
  event->ignore();
  return true;
}

bool ActionShortcutsFirst::IsEnabledActionShortcut(const QKeySequence& keys) const {
  for (const QAction* action : window_->actions()) {
    if (!action->isEnabled()) continue;
    for (const QKeySequence& shortcut : action->shortcuts())
      if (shortcut.matches(keys) == QKeySequence::ExactMatch) return true;
  }
  return false;
}

}  // namespace hushlake
