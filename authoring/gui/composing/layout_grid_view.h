#pragma once
// The composing grid: 18-pixel cells (yellow isles, aqua empty cells, letters on white),
// no headers and no scroll bars, the focus mark "*" in the current cell while no search
// runs. Typed keys are reported by the character they give on a US keyboard; the page
// decides what they put on the board.
#include <QTableView>

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

 Q_SIGNALS:
  // A key that gives a printable character on a US keyboard (key position, Shift respected).
  void characterTyped(char usCharacter);
  void cellDoubleClicked(int row, int column);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  bool focusMarkShown_ = true;
};

}  // namespace gw::gui
