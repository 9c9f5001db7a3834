#include "authoring/gui/composing/grid_insight_controller.h"

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/gui/composing/candidate_panel.h"
#include "authoring/gui/composing/compose_controller.h"
#include "authoring/gui/composing/composing_workflow.h"
#include "authoring/gui/composing/grid_insight_runner.h"
#include "authoring/gui/composing/layout_grid_view.h"

namespace gw::gui {

std::vector<std::uint8_t> markedEdges(const UnfillableMarks& marks, int rows, int columns) {
  std::vector<std::uint8_t> edges(static_cast<std::size_t>(rows) * columns, 0);
  auto at = [&](int row, int column) -> std::uint8_t& {
    return edges[static_cast<std::size_t>(row) * columns + column];
  };
  for (const Slot& s : marks.slots)
    for (int k = 0; k < s.length; ++k) {
      const bool across = s.direction == Direction::Across;
      const int row = across ? s.row : s.row + k;
      const int column = across ? s.column + k : s.column;
      if (row >= rows || column >= columns) continue;
      std::uint8_t& e = at(row, column);
      e |= across ? LayoutGridView::MarkTop | LayoutGridView::MarkBottom
                  : LayoutGridView::MarkLeft | LayoutGridView::MarkRight;
      if (k == 0) e |= across ? LayoutGridView::MarkLeft : LayoutGridView::MarkTop;
      if (k == s.length - 1) e |= across ? LayoutGridView::MarkRight : LayoutGridView::MarkBottom;
    }
  for (const CellPos& c : marks.cells)
    if (c.row < rows && c.column < columns) at(c.row, c.column) = LayoutGridView::MarkAll;
  return edges;
}

GridInsightController::GridInsightController(ComposingWorkflow& workflow, LayoutGridView* grid,
                                             CandidatePanel* panel, QObject* parent)
    : QObject(parent),
      workflow_(workflow),
      grid_(grid),
      panel_(panel),
      runner_(new GridInsightRunner(workflow.controller().session().dictionary(), this)) {
  connect(&workflow.controller(), &ComposeController::dictionaryLoadFinished, this, [this] {
    runner_->dictionaryChanged();
    refresh();
  });
  connect(&workflow, &ComposingWorkflow::layoutEdited, this, &GridInsightController::refresh);
  connect(&workflow, &ComposingWorkflow::layoutReplaced, this, &GridInsightController::refresh);
  connect(&workflow, &ComposingWorkflow::statusChanged, this, [this] {
    if (active() != wasActive_) refresh();
  });
  connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (index.isValid() && active()) refreshCandidates({index.row(), index.column()});
          });
  connect(panel, &CandidatePanel::directionChosen, this, [this] {
    if (active()) refreshCandidates(workflow_.currentCell());
  });
  connect(panel, &CandidatePanel::wordChosen, this, &GridInsightController::placeWord);
  connect(runner_, &GridInsightRunner::candidatesReady, this, [this](const SlotCandidates& candidates) {
    panel_->showCandidates(candidates, workflow_.layout().language);
  });
  connect(runner_, &GridInsightRunner::marksReady, this, &GridInsightController::showMarks);
  refresh();
}

bool GridInsightController::active() const {
  return workflow_.hasOpenLayout() && rules::cellsEditable(workflow_.status());
}

void GridInsightController::refresh() {
  wasActive_ = active();
  if (!wasActive_) {
    runner_->cancel();
    slot_.reset();
    grid_->setMarkedEdges({});
    panel_->showUnavailable(workflow_.hasOpenLayout() ? "Candidates are listed while the layout can be edited"
                                                      : "No layout is open");
    return;
  }
  runner_->requestMarks(workflow_.layout());
  refreshCandidates(workflow_.currentCell());
}

void GridInsightController::refreshCandidates(CellPos cell) {
  const Layout& layout = workflow_.layout();
  // Where the chosen direction has no slot, the other one may.
  Direction direction = panel_->direction();
  slot_ = slotThrough(layout, cell, direction);
  if (!slot_) {
    direction = direction == Direction::Across ? Direction::Down : Direction::Across;
    slot_ = slotThrough(layout, cell, direction);
  }
  if (!slot_) {
    runner_->cancelCandidates();
    return panel_->showUnavailable("No word to fill through this cell");
  }
  panel_->showSlot(*slot_, layout);
  runner_->requestCandidates(layout, cell, direction, workflow_.composeOptions().noRepeatedWords);
}

void GridInsightController::showMarks(const UnfillableMarks& marks) {
  const Layout& layout = workflow_.layout();
  grid_->setMarkedEdges(marks.empty() ? std::vector<std::uint8_t>{}
                                      : markedEdges(marks, layout.rows, layout.columns));
}

void GridInsightController::placeWord(const std::string& word) {
  if (!slot_ || !active()) return;
  workflow_.placeWord(*slot_, word);
  // The constructor goes on in the grid.
  grid_->setFocus();
}

}  // namespace gw::gui
