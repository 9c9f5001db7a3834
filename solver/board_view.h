#pragma once
// The board as the player sees it: lines, dotted edges, blocks, entries, the cursor box and
// the pictures. It paints the board it is given and reports clicks; it changes nothing.
#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

#include "solver/core/board.h"

class QPainter;

class BoardView : public QWidget {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent);

  // The board to show (nullptr for none) and its pictures' images, one per picture.
  void setBoard(const gw::cross::Board* board, std::vector<QImage> pictureImages);
  // Right letters blue, wrong ones red ("Mark bad entries").
  void setMarkBadEntries(bool on);
  // Logical pixels from one grid line to the next; the letters scale with it.
  void setCellSize(int size);
  int cellSize() const { return cellSize_; }
  // The board's size at the current cell size: the cells and the border line.
  QSize boardSize() const;
  // The cell under a point, or nothing on the right or bottom border line.
  std::optional<gw::cross::Cell> cellAt(QPoint at) const;
  const gw::cross::Board* board() const { return board_; }
  // The entry of a cell and the clues through it, as the player reads them; the cell's bounds.
  QString letterAt(gw::cross::Cell cell) const { return entryText(board_->entryAt(cell.row, cell.column)); }
  QString clueAt(gw::cross::Cell cell, gw::Direction direction) const;
  QRect cellRect(gw::cross::Cell cell) const;
  // Paints the board on a device of that scale factor, `p` set up in logical pixels.
  void paintBoard(QPainter& p, double ratio);

 signals:
  // A click on a cell that lies under no picture.
  void cellClicked(gw::cross::Cell cell);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  QString entryText(char byte) const;
  // Where grid line `i` starts, in device pixels.
  int lineAt(int i, double ratio) const;

  const gw::cross::Board* board_ = nullptr;
  std::vector<QImage> pictureImages_;
  bool markBadEntries_ = false;
  int cellSize_ = gw::cross::kCellPitch;
};
