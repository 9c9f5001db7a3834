#pragma once
// The small borderless window above (across) or below (down) the board that shows the clue
// of the word through the current cell.
#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QWidget>

#include "common/direction.h"
#include "common/language.h"

namespace gw::cross {

class ClueWindow : public QWidget {
  Q_OBJECT
 public:
  // `direction` is the words this window shows; `charset` the code page of the clue bytes.
  ClueWindow(gw::Direction direction, gw::ClueCharset charset);

  gw::Direction direction() const { return direction_; }
  // Shows `clue` (code-page bytes) against the board window's bounds, highlighted when
  // `typingDirection` is this window's; hides the window when the clue is empty.
  // `workArea` is the screen's available geometry.
  void showClue(const std::string& clue, gw::Direction typingDirection, const QRect& boardGeometry,
                const QRect& workArea, QWidget* boardWindow);

  QString clueText() const { return clueLabel_->text(); }
  // The clue's font follows the board's zoom.
  void setTextPixelSize(int pixels);
  // The height of the window when the clue takes one line.
  int oneLineHeight() const;
  bool isHighlighted() const { return highlighted_; }

 private:
  gw::Direction direction_;
  gw::ClueCharset charset_;
  bool highlighted_ = false;
  QFrame* panel_;
  QLabel* acrossArrow_;
  QLabel* downArrow_;
  QLabel* clueLabel_;
};

}  // namespace gw::cross
