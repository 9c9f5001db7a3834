#pragma once
// "Sort-order of words": before a fresh search, shows the order in which the composer will
// fill the slots on a miniature of the board and lets the author move slots up and down.
// Each entry names its slot as a printed crossword would ("7 Across, row 3 column 1, 7
// letters"), a name that moves with it; the miniature shows the author's fixed letters and
// a legend of its colours. It changes nothing itself; the caller reads the permutation
// after OK.
#include <QDialog>
#include <QRect>
#include <vector>

#include "authoring/composing/layout/board.h"

class QAction;
class QListWidget;

namespace gw::gui {

struct WordOrderEntry {
  int length = 0;
  int row = 0;
  int column = 0;
  Direction direction = Direction::Across;
  int givenPosition = 0;  // 1-based position in the order the dialog was given
  int number = 0;         // the printed number of its first cell; 0 for a one-letter slot's own cell
};

// The cells a slot covers on the miniature, with cells of `cellSize` pixels (10 at the least).
QRect miniatureRect(const WordOrderEntry& entry, int cellSize = 10);
// The slot's name: "7 Across, row 3 column 1, 7 letters" (rows and columns counted from 1).
QString slotName(const WordOrderEntry& entry);
// The list row: the 1-based list position in three places, then the slot's name.
QString orderEntryText(int listPosition, const WordOrderEntry& entry);
// The printed number of each slot's first cell, numbered row by row over the cells that
// start a word of two or more letters (0 where a one-letter slot starts none).
std::vector<int> printedNumbers(const std::vector<Slot>& slots);
// The dialog's size for a board whose highest indices are given; never below the minimum.
QSize wordOrderDialogSize(int maxColumn, int maxRow);

class WordOrderMiniature;

class WordOrderDialog : public QDialog {
  Q_OBJECT
 public:
  WordOrderDialog(int maxColumn, int maxRow, const std::vector<Slot>& order, QWidget* parent = nullptr);

  // The author's fixed letters, drawn on the miniature.
  void setFixedLetters(const Layout& layout);
  const Layout& fixedLetters() const { return letters_; }

  // For each position 1 .. slot count, the given position of the slot the author put there.
  std::vector<int> givenPositions() const;
  const std::vector<WordOrderEntry>& entries() const { return entries_; }
  int selectedIndex() const;
  // Pixels of a miniature cell at the dialog's present size.
  int miniatureCellSize() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void moveSelected(int by);
  void selectionMoved();
  void updateCommands();

  int maxColumn_;
  int maxRow_;
  std::vector<WordOrderEntry> entries_;
  Layout letters_;
  WordOrderMiniature* miniature_;
  QListWidget* list_;
  QAction* upAction_;
  QAction* downAction_;
};

}  // namespace gw::gui
