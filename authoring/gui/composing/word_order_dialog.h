#pragma once
// "Sort-order of words": before a fresh search, shows the order in which the composer will
// fill the slots on a miniature of the board and lets the author move slots up and down.
// It changes nothing itself; the caller reads the permutation after OK.
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
};

// The cells a slot covers on the miniature (10-pixel cells).
QRect miniatureRect(const WordOrderEntry& entry);
// "%3d (%d)": the 1-based list position and the slot's length.
QString orderEntryText(int listPosition, int length);
// The dialog's size for a board whose highest indices are given; never below the minimum.
QSize wordOrderDialogSize(int maxColumn, int maxRow);

class WordOrderMiniature;

class WordOrderDialog : public QDialog {
  Q_OBJECT
 public:
  WordOrderDialog(int maxColumn, int maxRow, const std::vector<Slot>& order, QWidget* parent = nullptr);

  // For each position 1 .. slot count, the given position of the slot the author put there.
  std::vector<int> givenPositions() const;
  const std::vector<WordOrderEntry>& entries() const { return entries_; }
  int selectedIndex() const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void moveSelected(int by);
  void selectionMoved();
  void updateCommands();

  int maxColumn_;
  int maxRow_;
  std::vector<WordOrderEntry> entries_;
  WordOrderMiniature* miniature_;
  QListWidget* list_;
  QAction* upAction_;
  QAction* downAction_;
};

}  // namespace gw::gui
