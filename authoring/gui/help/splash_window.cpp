#include "authoring/gui/help/splash_window.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/help/version_text.h"

namespace gw::gui {

namespace {

const QColor kBackground(192, 220, 192);
const QColor kTeal(0, 128, 128);
const QColor kSilver(192, 192, 192);
constexpr int kCornerDiameter = 40;

QLabel* makeLabel(QWidget* parent, const QString& name, QRect geometry, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);  // a click on any part closes the about box
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
  return label;
}

// A row of crossword cells, touching as on a board, centred in the strip.
void drawCellStrip(QPainter& p, QRect strip) {
  const QString letters = QStringLiteral("AUTHOR");
  const int cell = std::min(strip.height(), strip.width() / static_cast<int>(letters.size()));
  const int left = strip.left() + (strip.width() - cell * static_cast<int>(letters.size())) / 2;
  QFont font = p.font();
  font.setBold(true);
  font.setPixelSize(cell * 3 / 5);
  p.setFont(font);
  for (int i = 0; i < letters.size(); ++i) {
    const QRect r(left + i * cell, strip.top(), cell, cell - 1);
    p.fillRect(r, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(r);
    p.setPen(kTeal);
    p.drawText(r, Qt::AlignCenter, letters.mid(i, 1));
  }
}

}  // namespace

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Dialog) {
  setObjectName("splashWindow");
  setWindowTitle(tr("About Crossword"));
  setFixedSize(kSize);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kBackground);
  setPalette(pal);
  setAutoFillBackground(true);

  cutRoundedCorners(this, QRectF(QPointF(0, 0), kSize), kCornerDiameter / 2.0);

  version_ = makeLabel(this, "versionLabel", QRect(16, 113, 185, 16), false);
  version_->setText(programVersionText());
  status_ = makeLabel(this, "statusLabel", QRect(0, 140, 209, 17), true);
  status_->setWordWrap(true);
  QLabel* maker = makeLabel(this, "makerLabel", QRect(29, 157, 152, 14), false);
  QFont small = maker->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  maker->setFont(small);
  maker->setText(tr("Brevant Software"));
}

QString SplashWindow::statusText() const { return status_->text(); }
QString SplashWindow::versionLine() const { return version_->text(); }

void SplashWindow::showBusy(const QString& status) {
  modal_ = false;
  // The author's window keeps the keyboard: the busy window only tells what is going on.
  setAttribute(Qt::WA_ShowWithoutActivating, true);
  status_->setText(status);
  show();
  raise();
  // The work that follows keeps the event loop waiting: paint now so the text is seen.
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaint();
}

void SplashWindow::showAbout() {
  setAttribute(Qt::WA_ShowWithoutActivating, false);
  status_->clear();
  modal_ = true;
  exec();
  modal_ = false;
}

void SplashWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  centreOnScreen();
}

void SplashWindow::centreOnScreen() {
  const QScreen* s = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
  if (s) move(s->geometry().center() - rect().center());
}

void SplashWindow::mousePressEvent(QMouseEvent* event) {
  event->accept();
  // Closes the about box; the busy window stays until its work is done.
  if (modal_) accept();
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(Qt::white);
  for (int y = 1; y < height(); y += 3) p.drawLine(1, y, width(), y);

  drawCellStrip(p, QRect(22, 17, 164, 28));

  QFont title({"Arial Black", "DejaVu Sans"});
  title.setPixelSize(24);
  title.setWeight(QFont::Black);
  p.setFont(title);
  const QRect titleArea(35, 69, kSize.width() - 35, 34);
  p.setPen(kSilver);
  p.drawText(titleArea.translated(2, 1), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Crossword"));
  p.setPen(kTeal);
  p.drawText(titleArea, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Crossword"));

  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::gray, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(0.5, 0.5, kSize.width() - 1, kSize.height() - 1), kCornerDiameter / 2.0,
                    kCornerDiameter / 2.0);
}

}  // namespace gw::gui
