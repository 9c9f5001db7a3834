#pragma once
// One way to make a window's command: named for tests and screen readers, with its hint as
// tool and status tip, and its shortcut bound to the given context. The action is added to
// the owner, so the shortcut works while the owner (or, for WidgetWithChildrenShortcut, a
// child of it) has the focus.
#include <QAction>
#include <QKeySequence>
#include <QString>

namespace gw::gui {

struct ActionSpec {
  const char* objectName;
  QString text;
  QString hint;
  QKeySequence shortcut = {};
  Qt::ShortcutContext context = Qt::WindowShortcut;
};

QAction* makeAction(QWidget* owner, const ActionSpec& spec);

}  // namespace gw::gui
