#include "solver/explain_window.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "common/codepage.h"
#include "common/language.h"
#include "solver/window_look.h"

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

TdExplain::TdExplain(bool isAcross, int clueCharset)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      isAcross_(isAcross),
      charset_(clueCharset) {
  setObjectName(isAcross ? "acrossWindow" : "downWindow");
  setWindowTitle(isAcross ? "Across" : "Down");
  setAttribute(Qt::WA_ShowWithoutActivating);
  applySolverLook(this);

  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::Box);
  Panel1->setLineWidth(1);
  Panel1->setAutoFillBackground(true);
  QPalette panelPal = Panel1->palette();
  panelPal.setColor(QPalette::Window, cream());
  Panel1->setPalette(panelPal);

  Image1 = new QLabel(Panel1);
  Image1->setPixmap(arrowPixmap(true));
  Image1->setGeometry(1, 2, kImageWidth, 18);
  Image2 = new QLabel(Panel1);
  Image2->setPixmap(arrowPixmap(false));
  Image2->setGeometry(1, 2, kImageWidth, 18);
  (isAcross ? Image2 : Image1)->hide();

  Label1 = new QLabel(Panel1);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setGeometry(25, 3, 251, 16);
  resize(281, 22);
}

void TdExplain::ShowClue(const std::string& clue, gw::cross::Direction direction, int mainTop,
                         int /*mainLeft*/, int /*mainWidth*/, int mainHeight,
                         const QRect& workArea, QWidget* mainWindow) {
  const char* codePage = gw::charsetCodePage(static_cast<gw::DefinitionCharset>(charset_));
  Label1->setText(QString::fromStdString(gw::toUtf8(clue, codePage)));
  int labelWidth = kWindowWidth - kImageWidth - 4;
  int labelHeight = std::max(Label1->heightForWidth(labelWidth), QFontMetrics(Label1->font()).height());
  int height = labelHeight + 8;
  if (clue.empty()) {
    hide();
    return;
  }

  int left = (workArea.width() - kWindowWidth) / 2;
  QRect g;
  int labelLeft;
  if (isAcross_) {
    labelLeft = kImageWidth + 2;
    g = QRect(left, mainTop - height, kWindowWidth, height);
    // No room above the board: a strip over the whole width down to the board's top.
    if (g.top() < 0) g = QRect(0, 0, workArea.width(), mainTop + 2);
  } else {
    labelLeft = 20;
    g = QRect(left, mainTop + mainHeight, kWindowWidth, height);
    if (workArea.height() < g.top() + height)
      g = QRect(0, 0, workArea.width(), workArea.height() - mainTop - mainHeight);
  }
  setGeometry(g);
  Panel1->setGeometry(0, 0, g.width(), g.height());
  Label1->setGeometry(labelLeft, 2, labelWidth, labelHeight);

  // The panel covers the window, so the highlight of the typing direction goes on the panel.
  highlighted_ = (direction == gw::cross::Direction::Across) == isAcross_;
  QPalette panelPal = Panel1->palette();
  panelPal.setColor(QPalette::Window,
                    highlighted_ ? QColor(255, 255, 0) : palette().color(QPalette::Button));
  Panel1->setPalette(panelPal);

  show();
  if (mainWindow && mainWindow->isVisible()) mainWindow->activateWindow();
}
