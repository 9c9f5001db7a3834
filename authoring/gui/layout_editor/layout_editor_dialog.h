#pragma once
// "Definition": the layout editor, where the author types the solution letters and blank
// cells, marks dotted cell edges and places pictures. It works on the open crossword
// directly; OK (the accept button) also blanks the cells under pictures.
#include <QDialog>
#include <cstddef>

#include "gui_common/board_geometry.h"

class QAction;
class QMenu;
class QScrollArea;
class QToolBar;

namespace gw {
class CrosswordDocument;
}

namespace gw::gui {

class LayoutCanvas;

class LayoutEditorDialog : public QDialog {
  Q_OBJECT
 public:
  enum class TypingDirection { Right, Down };

  explicit LayoutEditorDialog(CrosswordDocument& crossword, QWidget* parent = nullptr);

  BoardCell cursorCell() const;
  TypingDirection typingDirection() const { return direction_; }
  // One typed character as a US keyboard gives it.
  void typeCharacter(char usCharacter);
  // A press on a cell: the picture dialog for a picture, else the cursor goes there.
  void pressCell(BoardCell cell);
  void addPicture();
  QAction* action(const QString& objectName) const;

 Q_SIGNALS:
  // A dialog is about to be shown modally (the picture dialog).
  void dialogOpened(QDialog* dialog);
  // The cursor ran into a picture (with a short tone).
  void cursorBlocked();
  // A letter, mark or picture changed, or the cursor moved.
  void layoutChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAction* makeAction(const char* name, const QString& caption, const QKeySequence& shortcut = {});
  void move(int dRow, int dColumn);
  void placeCursorOnFirstFreeLetter();
  void editPicture(std::size_t index);
  void showMessage(const QString& text);
  void acceptLayout();
  void refresh();

  CrosswordDocument& crossword_;
  LayoutCanvas* canvas_;
  QScrollArea* scrollArea_;
  QToolBar* toolBar_;
  QMenu* contextMenu_;
  TypingDirection direction_ = TypingDirection::Right;
  QAction* leftAction_;
  QAction* rightAction_;
  QAction* upAction_;
  QAction* downAction_;
  QAction* downDirectionAction_;
  QAction* rightDirectionAction_;
  QAction* downDirectionMenuAction_;
  QAction* rightDirectionMenuAction_;
  QAction* horizontalAction_;
  QAction* verticalAction_;
  QAction* addPictureAction_;
  QAction* cancelAction_;
  QAction* acceptAction_;
};

}  // namespace gw::gui
