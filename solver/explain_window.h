#pragma once
// TdExplain: the small borderless window above (across) or below (down) the board
// that shows the clue of the word through the current cell.
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QWidget>

#include "solver/core/board.h"

class TdExplain : public QWidget {
  Q_OBJECT
 public:
  // `clueCharset` 0, 1 or 2 picks the code page the clue bytes are read in.
  TdExplain(bool isAcross, int clueCharset);

  bool isAcross() const { return isAcross_; }
  // Shows `clue` (code-page bytes) against the board window's bounds; hides the window
  // when the clue is empty. `workArea` is the screen's available geometry.
  void ShowClue(const std::string& clue, gw::cross::Direction direction, int mainTop, int mainLeft,
                int mainWidth, int mainHeight, const QRect& workArea, QWidget* mainWindow);

  QString labelText() const { return Label1->text(); }
  bool isHighlighted() const { return highlighted_; }

 private:
  bool isAcross_;
  int charset_;
  bool highlighted_ = false;
  QFrame* Panel1;
  QLabel* Image1;
  QLabel* Image2;
  QLabel* Label1;
};
