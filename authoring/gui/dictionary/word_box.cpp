#include "authoring/gui/dictionary/word_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

#include "common/us_keyboard.h"

namespace gw::gui {

WordBox::WordBox(Language language, QWidget* parent) : QLineEdit(parent), rules_(language), text_(CodePageTable::of(boardCodePage(language))) {
  setMaxLength(static_cast<int>(WordRules::kMaxWordLength));
}

std::string WordBox::word() const { return text_.toBytes(text()); }

bool WordBox::event(QEvent* event) {
  // The editor's word commands win over the box's own keys (Ctrl+Ins would copy).
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : actions())
      if (a->isEnabled() && a->shortcut() == pressed) {
        event->ignore();
        return true;
      }
  }
  return QLineEdit::event(event);
}

void WordBox::keyPressEvent(QKeyEvent* event) {
  // Paste would bring in whatever the clipboard holds: only typed letters enter.
  if (event->matches(QKeySequence::Paste) ||
      (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier)) {
    event->accept();
    return;
  }
  const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  const int key = event->key();
  const bool passOn = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
                      key == Qt::Key_Tab || key == Qt::Key_Backtab;
  if (command || passOn || event->text().isEmpty()) {
    QLineEdit::keyPressEvent(event);  // cursor keys, Delete, shortcuts, the dialog's keys
    return;
  }
  event->accept();
  // The character of the key on a US keyboard; without a key code (offscreen tests), the
  // character the event carries.
  std::optional<char> typed;
  if (event->nativeScanCode() != 0)
    typed = gw::usCharacterForKey(event->nativeScanCode(), event->modifiers() & Qt::ShiftModifier);
  if (!typed) {
    char16_t u = event->text().at(0).unicode();
    if (u >= 0x80) return;  // not a US key
    typed = static_cast<char>(u);
  }
  if (auto letter = rules_.typedCharacter(*typed)) insert(QString(text_.toQChar(*letter)));
}

void WordBox::contextMenuEvent(QContextMenuEvent* event) {
  // The box's own menu holds the editor's word commands, not the clipboard's.
  if (actions().isEmpty()) return;
  QMenu menu(this);
  menu.addActions(actions());
  menu.exec(event->globalPos());
}

}  // namespace gw::gui
