#pragma once
// What the composing page's commands may do in a given state: one function of the state per
// command. The workflow publishes the state (ComposingWorkflow::statusChanged) and the page
// enables each action from its function whenever the state changes. Qt-free.
#include "authoring/composing/search/layout_session.h"

namespace gw::gui {

// What the layout holds at the grid's current cell; Outside with no layout open.
enum class CurrentCell { Outside, Empty, Isle, Letter };

struct ComposingStatus {
  ComposingState layout = ComposingState::Closed;
  bool quickFilling = false;
  bool pageInFront = true;
  bool bigEnough = false;  // at least 4 × 4, the size ChangeStatus asks for
  bool hasWords = false;   // the word list of the layout's language holds a word
  CurrentCell current = CurrentCell::Outside;
  bool modified = false;  // the layout changed since it was made, opened or saved
  bool canUndo = false;
  bool canRedo = false;
  bool savedSearch = false;  // a stopped search of this layout is saved beside it
  friend bool operator==(const ComposingStatus&, const ComposingStatus&) = default;
};

namespace rules {

// A search runs: the exhaustive one or Quick fill.
constexpr bool composing(const ComposingStatus& s) {
  return s.layout == ComposingState::Running || s.quickFilling;
}
constexpr bool layoutOpen(const ComposingStatus& s) { return s.layout != ComposingState::Closed; }
// Cells change only while no search exists for the layout.
constexpr bool cellsEditable(const ComposingStatus& s) {
  return s.layout == ComposingState::Editable && !s.quickFilling;
}

constexpr bool newLayout(const ComposingStatus& s) { return !composing(s) && s.pageInFront; }
constexpr bool openLayout(const ComposingStatus& s) { return !composing(s) && s.pageInFront; }
constexpr bool closeLayout(const ComposingStatus& s) {
  return layoutOpen(s) && !composing(s) && s.pageInFront;
}
constexpr bool saveLayout(const ComposingStatus& s) { return closeLayout(s); }
constexpr bool startCompose(const ComposingStatus& s) {
  return (s.layout == ComposingState::Editable || s.layout == ComposingState::Stopped) && !s.quickFilling;
}
constexpr bool stopCompose(const ComposingStatus& s) { return composing(s); }
// An editable layout that Start compose would take, with a word list to fill it from.
constexpr bool quickFill(const ComposingStatus& s) { return cellsEditable(s) && s.bigEnough && s.hasWords; }
// The option is read when a search starts: changing it while one runs would change nothing.
constexpr bool noRepeatedWords(const ComposingStatus& s) { return !composing(s); }
constexpr bool minWordScore(const ComposingStatus& s) { return !composing(s); }
constexpr bool clearLayout(const ComposingStatus& s) { return cellsEditable(s); }
constexpr bool clearField(const ComposingStatus& s) {
  return cellsEditable(s) && (s.current == CurrentCell::Isle || s.current == CurrentCell::Letter);
}
constexpr bool setIsle(const ComposingStatus& s) {
  return cellsEditable(s) && (s.current == CurrentCell::Empty || s.current == CurrentCell::Letter);
}
// Deletes the state file; a stopped layout becomes editable again.
constexpr bool discardSavedSearch(const ComposingStatus& s) { return s.savedSearch && !composing(s); }
constexpr bool undo(const ComposingStatus& s) { return cellsEditable(s) && s.canUndo; }
constexpr bool redo(const ComposingStatus& s) { return cellsEditable(s) && s.canRedo; }
// The "*" (or cursor box) in the current cell.
constexpr bool focusMark(const ComposingStatus& s) { return !composing(s); }

}  // namespace rules
}  // namespace gw::gui
