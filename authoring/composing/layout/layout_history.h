#pragma once
// Undo and redo of the author's edits of a composing layout: the board as it was before each
// change. A layout's board is 3,362 bytes, so whole boards are kept; the oldest go first
// beyond kMostSteps.
#include <cstddef>
#include <deque>
#include <optional>

#include "authoring/composing/layout/board.h"

namespace gw {

class LayoutHistory {
 public:
  static constexpr std::size_t kMostSteps = 1000;

  // A new layout: nothing to undo or redo.
  void clear();
  // `before` is the board as it was before a change that was just made; redo is forgotten.
  void recordChange(const ComposingBoard& before);
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  // The board to put back, given the board as it is now (kept for redo / undo); nothing when
  // there is no step.
  std::optional<ComposingBoard> undo(const ComposingBoard& now);
  std::optional<ComposingBoard> redo(const ComposingBoard& now);

 private:
  std::deque<ComposingBoard> undo_;
  std::deque<ComposingBoard> redo_;
};

}  // namespace gw
