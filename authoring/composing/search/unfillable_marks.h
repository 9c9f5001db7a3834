#pragma once
// Where the layout cannot be filled, as a constructor wants it pointed out: the slots that no
// word fits at all, and the open cells where the words the crossing slots can still take
// agree on no letter under arc consistency (the look-ahead of the searches).
//
// Arc consistency alone would empty every slot connected to the trouble. Here a slot without
// words and a cell without letters are set aside as soon as they are found, and the rest of
// the layout is narrowed on without them, so the marks stay where the trouble is. Nothing is
// marked exactly when the searches' propagation finds the layout consistent
// (FillPropagator::consistent()). Repeated words are not considered.
#include <atomic>
#include <optional>
#include <vector>

#include "authoring/composing/layout/board.h"
#include "authoring/composing/search/word_list_snapshot.h"
#include "common/cell_pos.h"

namespace gw {

struct UnfillableMarks {
  std::vector<Slot> slots;     // no word fits (place, length and direction)
  std::vector<CellPos> cells;  // open cells that no letter can fill
  bool empty() const { return slots.empty() && cells.empty(); }
};

// `words` must cover the layout's longest side. Nothing when `stop` was set first: a newer
// request replaces this one.
std::optional<UnfillableMarks> findUnfillable(const WordListSnapshot& words, const Layout& layout,
                                              const std::atomic<bool>& stop);

}  // namespace gw
