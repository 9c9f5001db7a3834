#include "authoring/gui/editing/clue_editor.h"

#include <QKeyEvent>
#include <QMimeData>

#include "authoring/gui/editing/editing_workflow.h"

namespace gw::gui {

ClueEditor::ClueEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("clueEditor");
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (filling_) return;
    pendingEdit_ = true;
    Q_EMIT editedByUser();
  });
}

void ClueEditor::setClue(const QString& clue) {
  filling_ = true;
  setPlainText(clue);
  // Writing goes on where the clue ends, also after the list stored it.
  moveCursor(QTextCursor::End);
  filling_ = false;
  pendingEdit_ = false;
}

void ClueEditor::keyPressEvent(QKeyEvent* event) {
  const bool control = event->modifiers() & Qt::ControlModifier;
  int step = 0;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab: step = 1; break;
    case Qt::Key_Backtab: step = -1; break;
    case Qt::Key_Down: step = control ? 1 : 0; break;
    case Qt::Key_Up: step = control ? -1 : 0; break;
    default: break;
  }
  if (step == 0) return QPlainTextEdit::keyPressEvent(event);
  event->accept();
  Q_EMIT stepRequested(step);
}

bool ClueEditor::event(QEvent* event) {
  // Tab and Shift+Tab belong to the clue box, not to the focus chain.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
      keyPressEvent(key);
      return true;
    }
  }
  return QPlainTextEdit::event(event);
}

void ClueEditor::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  insertPlainText(EditingWorkflow::cleanClueText(source->text()));
}

}  // namespace gw::gui
