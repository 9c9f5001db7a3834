#include "solver/clue_window.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "common/codepage.h"
#include "common/language.h"
#include "solver/window_look.h"

namespace gw::cross {

namespace {

constexpr int kWindowWidth = 289;
constexpr int kImageWidth = 16;  // wide as the arrow; 18 high to centre it in the label row

QColor cream() { return QColor(255, 251, 240); }

// A 16 × 16 blue arrow pointing right or down.
QPixmap arrowPixmap(bool right) {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 255));
  QPainterPath path;
  if (right) {
    path.addRect(1, 6, 8, 4);
    path.moveTo(8, 2);
    path.lineTo(15, 8);
    path.lineTo(8, 14);
  } else {
    path.addRect(6, 1, 4, 8);
    path.moveTo(2, 8);
    path.lineTo(8, 15);
    path.lineTo(14, 8);
  }
  path.closeSubpath();
  p.drawPath(path);
  return pm;
}

}  // namespace

ClueWindow::ClueWindow(gw::Direction direction, gw::ClueCharset charset)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      direction_(direction),
      charset_(charset) {
  const bool isAcross = direction == gw::Direction::Across;
  setObjectName(isAcross ? "acrossWindow" : "downWindow");
  setWindowTitle(isAcross ? "Across" : "Down");
  setAttribute(Qt::WA_ShowWithoutActivating);
  applySolverLook(this);

  panel_ = new QFrame(this);
  panel_->setFrameShape(QFrame::Box);
  panel_->setLineWidth(1);
  panel_->setAutoFillBackground(true);
  QPalette panelPal = panel_->palette();
  panelPal.setColor(QPalette::Window, cream());
  panel_->setPalette(panelPal);

  acrossArrow_ = new QLabel(panel_);
  acrossArrow_->setPixmap(arrowPixmap(true));
  acrossArrow_->setGeometry(1, 2, kImageWidth, 18);
  downArrow_ = new QLabel(panel_);
  downArrow_->setPixmap(arrowPixmap(false));
  downArrow_->setGeometry(1, 2, kImageWidth, 18);
  (isAcross ? downArrow_ : acrossArrow_)->hide();

  clueLabel_ = new QLabel(panel_);
  clueLabel_->setObjectName("clueLabel");
  clueLabel_->setWordWrap(true);
  clueLabel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  clueLabel_->setTextFormat(Qt::PlainText);
  clueLabel_->setGeometry(25, 3, 251, 16);
  resize(281, 22);
}

void ClueWindow::showClue(const std::string& clue, gw::Direction typingDirection, const QRect& boardGeometry,
                          const QRect& workArea, QWidget* boardWindow) {
  const int boardTop = boardGeometry.top();
  const int boardHeight = boardGeometry.height();
  clueLabel_->setText(QString::fromStdString(gw::toUtf8(clue, gw::clueCodePage(charset_))));
  int labelWidth = kWindowWidth - kImageWidth - 4;
  int labelHeight =
      std::max(clueLabel_->heightForWidth(labelWidth), QFontMetrics(clueLabel_->font()).height());
  int height = labelHeight + 8;
  if (clue.empty()) {
    hide();
    return;
  }

  int left = (workArea.width() - kWindowWidth) / 2;
  QRect g;
  int labelLeft;
  if (direction_ == gw::Direction::Across) {
    labelLeft = kImageWidth + 2;
    g = QRect(left, boardTop - height, kWindowWidth, height);
    // No room above the board: a strip over the whole width down to the board's top.
    if (g.top() < 0) g = QRect(0, 0, workArea.width(), boardTop + 2);
  } else {
    labelLeft = 20;
    g = QRect(left, boardTop + boardHeight, kWindowWidth, height);
    if (workArea.height() < g.top() + height)
      g = QRect(0, 0, workArea.width(), workArea.height() - boardTop - boardHeight);
  }
  setGeometry(g);
  panel_->setGeometry(0, 0, g.width(), g.height());
  clueLabel_->setGeometry(labelLeft, 2, labelWidth, labelHeight);

  // The panel covers the window, so the highlight of the typing direction goes on the panel.
  highlighted_ = typingDirection == direction_;
  QPalette panelPal = panel_->palette();
  panelPal.setColor(QPalette::Window, highlighted_ ? QColor(255, 255, 0) : palette().color(QPalette::Button));
  panel_->setPalette(panelPal);

  show();
  if (boardWindow && boardWindow->isVisible()) boardWindow->activateWindow();
}

void ClueWindow::setTextPixelSize(int pixels) {
  QFont f = clueLabel_->font();
  f.setPixelSize(pixels);
  clueLabel_->setFont(f);
}

int ClueWindow::oneLineHeight() const { return QFontMetrics(clueLabel_->font()).height() + 8; }

}  // namespace gw::cross
