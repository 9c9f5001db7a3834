#pragma once
// Binds the composing page's candidate panel and the red marks of its grid to the workflow:
// while the layout can be edited, a move of the cursor or a change of direction asks for the
// candidates of the slot under the cursor, and every edit asks for them and for the marks
// again, all computed off the window thread (GridInsightRunner). A word chosen in the panel
// goes into the layout as fixed letters through the workflow, as one undoable edit.
#include <QObject>
#include <optional>
#include <vector>

#include "authoring/composing/search/slot_candidates.h"
#include "authoring/composing/search/unfillable_marks.h"

namespace gw::gui {

class CandidatePanel;
class ComposingWorkflow;
class GridInsightRunner;
class LayoutGridView;

// The edges to outline per cell, row by row (bits of LayoutGridView::MarkedEdge): around each
// slot that no word fits and each cell that no letter can fill.
std::vector<std::uint8_t> markedEdges(const UnfillableMarks& marks, int rows, int columns);

class GridInsightController : public QObject {
  Q_OBJECT
 public:
  GridInsightController(ComposingWorkflow& workflow, LayoutGridView* grid, CandidatePanel* panel,
                        QObject* parent = nullptr);

  GridInsightRunner& runner() { return *runner_; }

 private:
  bool active() const;
  void refresh();
  void refreshCandidates(CellPos cell);
  void showMarks(const UnfillableMarks& marks);
  void placeWord(const std::string& word);

  ComposingWorkflow& workflow_;
  LayoutGridView* grid_;
  CandidatePanel* panel_;
  GridInsightRunner* runner_;
  std::optional<Slot> slot_;  // the slot the panel lists
  bool wasActive_ = false;
};

}  // namespace gw::gui
