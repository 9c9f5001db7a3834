#pragma once
// The board as the player sees it: lines, dotted edges, blocks, entries, the cursor box and
// the pictures. It paints the board it is given and reports clicks; it changes nothing.
#include <QImage>
#include <QWidget>
#include <vector>

#include "solver/core/board.h"

class BoardView : public QWidget {
  Q_OBJECT
 public:
  explicit BoardView(QWidget* parent);

  // The board to show (nullptr for none) and its pictures' images, one per picture.
  void setBoard(const gw::cross::Board* board, std::vector<QImage> pictureImages);
  // Right letters blue, wrong ones red ("Mark bad entries").
  void setMarkBadEntries(bool on);

 signals:
  // A click on a cell that lies under no picture.
  void cellClicked(gw::cross::Cell cell);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  QString entryText(char byte) const;

  const gw::cross::Board* board_ = nullptr;
  std::vector<QImage> pictureImages_;
  bool markBadEntries_ = false;
};
