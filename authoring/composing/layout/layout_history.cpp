#include "authoring/composing/layout/layout_history.h"

namespace gw {

void LayoutHistory::clear() {
  undo_.clear();
  redo_.clear();
}

void LayoutHistory::recordChange(const ComposingBoard& before) {
  undo_.push_back(before);
  if (undo_.size() > kMostSteps) undo_.pop_front();
  redo_.clear();
}

namespace {

// One step back or forth: the board on top of `from` comes back, `now` goes onto `to`.
std::optional<ComposingBoard> step(std::deque<ComposingBoard>& from, std::deque<ComposingBoard>& to,
                                   const ComposingBoard& now) {
  if (from.empty()) return std::nullopt;
  ComposingBoard back = from.back();
  from.pop_back();
  to.push_back(now);
  return back;
}

}  // namespace

std::optional<ComposingBoard> LayoutHistory::undo(const ComposingBoard& now) {
  return step(undo_, redo_, now);
}

std::optional<ComposingBoard> LayoutHistory::redo(const ComposingBoard& now) {
  return step(redo_, undo_, now);
}

}  // namespace gw
