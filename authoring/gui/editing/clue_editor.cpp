#include "authoring/gui/editing/clue_editor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>

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

void ClueEditor::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  QString text = source->text();
  text.replace(QRegularExpression(QStringLiteral("[\\r\\n\\x{2029}\\x{2028}]+")), QStringLiteral(" "));
  insertPlainText(text);
}

}  // namespace gw::gui
