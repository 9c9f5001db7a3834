#pragma once
// The list of every clue beside the board: Across and Down with their numbers, the clues of the
// words through the cursor selected and scrolled into view, a click on a clue going to its word,
// and the solving time in the title. Plain lists, so that a screen reader reads them.
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "solver/core/board.h"

namespace gw::cross {

class ClueListWindow : public QWidget {
  Q_OBJECT
 public:
  ClueListWindow();

  // Fills the lists from a board (nullptr: empties them).
  void setBoard(const Board* board);
  // Selects the clues of the words through the board's cursor.
  void followCursor(const Board& board);
  // The solving time, shown in the title and the status line.
  void setClock(const QString& text, bool paused);

  QListWidget* acrossList() const { return acrossList_; }
  QListWidget* downList() const { return downList_; }

 signals:
  // A clue was clicked: an index into Board::wordsInOrder().
  void wordPicked(int word);

 private:
  QListWidget* makeList(const char* objectName, const QString& accessibleName);
  void pick(QListWidgetItem* item);

  QListWidget* acrossList_;
  QListWidget* downList_;
  QLabel* clockLabel_;
  int acrossCount_ = 0;  // words before the first Down word in Board::wordsInOrder()
};

}  // namespace gw::cross
