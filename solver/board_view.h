#pragma once
// The board as the player sees it, drawn by the board painter both programs share: lines,
// dotted edges, blocks, entries, the cursor box and the pictures. It paints the board it is
// given and reports clicks; it changes nothing.
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "gui_common/board_painter.h"
#include "solver/core/board.h"

namespace gw::cross {

class BoardView : public QWidget {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent);

  // The board to show (nullptr for none) and its pictures' images, one per picture.
  void setBoard(const Board* board, std::vector<QImage> pictureImages);
  // Right letters blue, wrong ones red ("Mark bad entries").
  void setMarkBadEntries(bool on);
  // Word numbers in the cells' corners.
  void setShowNumbers(bool on);
  // Logical pixels from one grid line to the next; the letters scale with it.
  void setCellSize(int size);
  int cellSize() const { return cellSize_; }
  // The board's size at the current cell size: the cells and the border line.
  QSize boardSize() const;
  // The cell under a point, or nothing on the right or bottom border line.
  std::optional<CellPos> cellAt(QPoint at) const;
  const Board* board() const { return board_; }
  // The entry of a cell and the clues through it, as the player reads them; the cell's bounds.
  QString letterAt(CellPos cell) const { return entryText(board_->entryAt(cell.row, cell.column)); }
  QString clueAt(CellPos cell, Direction direction) const;
  QRect cellRect(CellPos cell) const;
  // What the view paints: the board with its entries, marking colours, cursor and pictures.
  gui::BoardScene scene() const;

 signals:
  // A click on a cell that lies under no picture.
  void cellClicked(gw::CellPos cell);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  QString entryText(char byte) const;

  const Board* board_ = nullptr;
  std::vector<QImage> pictureImages_;
  bool markBadEntries_ = false;
  bool showNumbers_ = true;
  int cellSize_ = kCellPitch;
};

}  // namespace gw::cross
