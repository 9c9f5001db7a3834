#include "authoring/gui/editing/clue_editor.h"

#include <QKeyEvent>

namespace gw::gui {

ClueEditor::ClueEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setObjectName("clueEditor");
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (filling_) return;
    pendingEdit_ = true;
    emit editedByUser();
  });
}

void ClueEditor::setClue(const QString& clue) {
  filling_ = true;
  setPlainText(clue);
  filling_ = false;
  pendingEdit_ = false;
}

void ClueEditor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace gw::gui
