#include "gui_common/make_action.h"

#include <QWidget>

namespace gw::gui {

QAction* makeAction(QWidget* owner, const ActionSpec& spec) {
  auto* action = new QAction(spec.text, owner);
  action->setObjectName(spec.objectName);
  if (!spec.hint.isEmpty()) {
    action->setToolTip(spec.hint);
    action->setStatusTip(spec.hint);
  }
  if (!spec.shortcut.isEmpty()) action->setShortcut(spec.shortcut);
  action->setShortcutContext(spec.context);
  owner->addAction(action);
  return action;
}

}  // namespace gw::gui
