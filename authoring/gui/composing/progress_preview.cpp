#include "authoring/gui/composing/progress_preview.h"

#include <QPainter>

namespace gw::gui {

namespace {

const QColor kSilver{192, 192, 192};

// num / den rounded to the nearest integer, halves to the even neighbour; num >= 0, den > 0.
int roundHalfEven(long long num, long long den) {
  long long q = num / den;
  long long twiceRest = 2 * (num % den);
  if (twiceRest > den || (twiceRest == den && q % 2 != 0)) ++q;
  return static_cast<int>(q);
}

}  // namespace

QRect previewBackground(QSize size, int slotCount) {
  if (slotCount <= 0) return {};
  const int w = size.width() - 4, h = size.height() - 2;
  return QRect(QPoint(2, 1), QPoint(w + 2 - 1, h + 1 - 1));
}

std::vector<PreviewColumn> previewColumns(QSize size, const PreviewState& state) {
  std::vector<PreviewColumn> columns;
  const int n = state.slotCount;
  if (n <= 0) return columns;
  const int w = size.width() - 4, h = size.height() - 2;
  const int b = w / n + 1;
  for (std::size_t i = 0; i < state.placed.size(); ++i) {
    const int x = roundHalfEven(static_cast<long long>(w) * static_cast<long long>(i), n);
    // Rectangles from (x + 2, 1) to (x + b + 2, h + 1), the far edges not included.
    columns.push_back({QRect(x + 2, 1, b, h), state.placed[i]});
  }
  return columns;
}

ProgressPreview::ProgressPreview(QWidget* parent) : QWidget(parent) {
  setObjectName("progressPreview");
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setMinimumWidth(40);
}

void ProgressPreview::show(const PreviewState& state) {
  if (state == state_) return;
  state_ = state;
  update();
}

void ProgressPreview::paintEvent(QPaintEvent*) {
  if (state_.slotCount <= 0) return;
  QPainter p(this);
  p.fillRect(previewBackground(size(), state_.slotCount), kSilver);
  for (const PreviewColumn& c : previewColumns(size(), state_))
    p.fillRect(c.rect, c.black ? QColor(Qt::black) : kSilver);
}

}  // namespace gw::gui
