#pragma once
// The composing grid: 18-pixel cells (yellow isles, aqua empty cells, letters on white),
// zoomable, no headers, scroll bars only when a zoomed grid outgrows the window, the focus
// mark "*" in the current cell while no search runs. Cells are selected by dragging or
// Shift+click. Typed keys are reported by the character they give on a US keyboard; the
// page decides what they put on the board.
#include <QTableView>
#include <cstdint>
#include <vector>

#include "common/cell_pos.h"

namespace gw::gui {

class LayoutGridView : public QTableView {
  Q_OBJECT
 public:
  explicit LayoutGridView(QWidget* parent = nullptr);

  // The "*" in the current cell (hidden while a search runs).
  void setFocusMarkShown(bool shown);
  bool focusMarkShown() const { return focusMarkShown_; }
  // Makes (row, column) the current cell.
  void moveCursorTo(int row, int column);
  // Pixels of a cell (without its grid line); the font follows.
  void setCellSize(int pixels);
  int cellSize() const { return cellSize_; }
  // The selected cells, row by row; the current cell alone when nothing more is selected.
  std::vector<gw::CellPos> selectedCells() const;
  // More than one cell is selected: the selection is hatched.
  bool selectsSeveralCells() const { return severalSelected_; }

  // Cell edges outlined in red where the layout cannot be filled: per cell, row by row, the
  // edges to draw; empty for none.
  enum MarkedEdge : std::uint8_t { MarkTop = 1, MarkRight = 2, MarkBottom = 4, MarkLeft = 8, MarkAll = 15 };
  void setMarkedEdges(std::vector<std::uint8_t> edges);
  std::uint8_t markedEdges(int row, int column) const;

 Q_SIGNALS:
  // A key that gives a printable character on a US keyboard (key position, Shift respected).
  void characterTyped(char usCharacter);
  void cellDoubleClicked(int row, int column);
  // Ctrl+wheel: `steps` notches, positive away from the user (larger cells).
  void zoomRequested(int steps);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void wheelEvent(QWheelEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;

 private:
  bool focusMarkShown_ = true;
  int cellSize_;
  int wheelPending_ = 0;
  bool severalSelected_ = false;
  std::vector<std::uint8_t> markedEdges_;
};

}  // namespace gw::gui
