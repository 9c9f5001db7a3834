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

std::optional<ComposingBoard> LayoutHistory::undo(const ComposingBoard& now) {
  if (undo_.empty()) return std::nullopt;
  ComposingBoard back = undo_.back();
  undo_.pop_back();
  redo_.push_back(now);
  return back;
}

std::optional<ComposingBoard> LayoutHistory::redo(const ComposingBoard& now) {
  if (redo_.empty()) return std::nullopt;
  ComposingBoard again = redo_.back();
  redo_.pop_back();
  undo_.push_back(now);
  return again;
}

}  // namespace gw
