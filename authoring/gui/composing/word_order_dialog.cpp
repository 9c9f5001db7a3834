#include "authoring/gui/composing/word_order_dialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "authoring/gui/common/authoring_look.h"
#include "authoring/gui/composing/composing_geometry.h"
#include "gui_common/dialog_buttons.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

namespace {

const QColor kSilver{192, 192, 192};

// 8 × 8 arrows: down (the Down button and down slots), right (across slots), up (the Up button).
QPixmap arrowGlyph(Qt::ArrowType arrow, const QColor& color) {
  QPixmap pixmap(kOrderGlyphSize, kOrderGlyphSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  QPolygonF triangle;
  switch (arrow) {
    case Qt::DownArrow: triangle << QPointF(0, 1) << QPointF(8, 1) << QPointF(4, 7); break;
    case Qt::UpArrow: triangle << QPointF(0, 7) << QPointF(8, 7) << QPointF(4, 1); break;
    default: triangle << QPointF(1, 0) << QPointF(1, 8) << QPointF(7, 4); break;
  }
  p.drawPolygon(triangle);
  return pixmap;
}

QIcon buttonIcon(Qt::ArrowType arrow) {
  QPixmap big(16, 16);
  big.fill(Qt::transparent);
  QPainter p(&big);
  p.drawPixmap(4, 4, arrowGlyph(arrow, Qt::black));
  return QIcon(big);
}

// A row of the order list: the direction glyph, then "%3d (%d)".
class OrderRowDelegate : public QStyledItemDelegate {
 public:
  OrderRowDelegate(const std::vector<WordOrderEntry>& entries, QObject* parent)
      : QStyledItemDelegate(parent),
        entries_(entries),
        downGlyph_(arrowGlyph(Qt::DownArrow, QColor(0, 0, 160))),
        acrossGlyph_(arrowGlyph(Qt::RightArrow, QColor(0, 120, 0))) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state & QStyle::State_Selected;
    p->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
    const WordOrderEntry& e = entries_[static_cast<std::size_t>(index.row())];
    const QRect r = option.rect;
    const int glyphTop = r.top() + (r.height() - kOrderGlyphSize) / 2;
    p->drawPixmap(r.left() + kOrderGlyphLeft, glyphTop,
                  e.direction == Direction::Down ? downGlyph_ : acrossGlyph_);
    p->setPen(selected ? option.palette.highlightedText().color() : option.palette.text().color());
    // The position right-aligned in a fixed-width font, the name after it in the list's own.
    const QString text = index.data().toString();
    const qsizetype split = std::min<qsizetype>(text.size(), 5);
    QFont mono = option.font;
    mono.setFamily("monospace");
    mono.setStyleHint(QFont::TypeWriter);
    p->setFont(mono);
    QRect area = r.adjusted(kOrderGlyphLeft + kOrderGlyphSize + kOrderTextGap, 0, 0, 0);
    p->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text.left(split));
    area.setLeft(area.left() + QFontMetrics(mono).horizontalAdvance(text.left(split)));
    p->setFont(option.font);
    p->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text.mid(split));
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kOrderRowHeight};
  }

 private:
  const std::vector<WordOrderEntry>& entries_;
  QPixmap downGlyph_;
  QPixmap acrossGlyph_;
};

}  // namespace

// The board in black, the slots filled before the selected one silver, the rest white;
// the selected slot marked red and the one before it blue; the author's fixed letters on
// top. Cells grow with the dialog, from 10 pixels up.
class WordOrderMiniature : public QWidget {
 public:
  WordOrderMiniature(const WordOrderDialog& dialog, int columns, int rows, QWidget* parent)
      : QWidget(parent), dialog_(dialog), columns_(columns), rows_(rows) {
    setObjectName("wordOrderMiniature");
    setMinimumSize(60, 60);
  }

  int cellSize() const {
    return std::max(kMiniatureCellSize,
                    std::min(width() / std::max(1, columns_), height() / std::max(1, rows_)));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(Qt::NoPen);
    const int cell = cellSize();
    p.fillRect(QRect(0, 0, columns_ * cell, rows_ * cell), Qt::black);
    const auto& entries = dialog_.entries();
    const int s = dialog_.selectedIndex();
    if (s < 0) return;
    // The slots still to come in white, then on top of them the ones filled before the selected one.
    for (std::size_t i = static_cast<std::size_t>(s); i < entries.size(); ++i)
      p.fillRect(miniatureRect(entries[i], cell), Qt::white);
    for (std::size_t i = 0; i < static_cast<std::size_t>(s); ++i)
      p.fillRect(miniatureRect(entries[i], cell), kSilver);
    if (s > 0) mark(p, miniatureRect(entries[static_cast<std::size_t>(s - 1)], cell), cell, Qt::blue, 1, 3);
    mark(p, miniatureRect(entries[static_cast<std::size_t>(s)], cell), cell, Qt::red, 2, 2);
    drawLetters(p, cell);
  }

 private:
  void drawLetters(QPainter& p, int cell) {
    const Layout& letters = dialog_.fixedLetters();
    if (letters.rows == 0) return;
    QFont font = this->font();
    font.setBold(true);
    font.setPixelSize(std::max(7, cell * 3 / 4));
    p.setFont(font);
    p.setPen(Qt::black);
    const char* codePage = boardCodePage(letters.language);
    for (int r = 0; r < std::min(rows_, letters.rows); ++r) {
      for (int c = 0; c < std::min(columns_, letters.columns); ++c) {
        if (!letters.board.isLetter(r, c)) continue;
        p.drawText(QRect(c * cell, r * cell, cell, cell), Qt::AlignCenter,
                   CodePageTable::of(codePage).toQString(std::string(1, letters.board.cell(r, c).character)));
      }
    }
  }

  // A circle in the slot's first cell and a line from its centre to the last cell's centre.
  static void mark(QPainter& p, const QRect& r, int cell, const QColor& color, int penWidth, int inset) {
    p.setPen(QPen(color, penWidth));
    p.setBrush(kSilver);
    const int left = r.left(), top = r.top();
    const int right = r.left() + r.width(), bottom = r.top() + r.height();
    const int half = cell / 2;
    inset = inset * cell / kMiniatureCellSize;
    p.drawEllipse(
        QRect(QPoint(left + inset, top + inset), QPoint(left + cell - inset - 1, top + cell - inset - 1)));
    p.drawLine(left + half, top + half, right - half, bottom - half);
  }

  const WordOrderDialog& dialog_;
  int columns_;
  int rows_;
};

// Swatches of the miniature's colours with what they mean.
class WordOrderLegend : public QWidget {
 public:
  explicit WordOrderLegend(QWidget* parent) : QWidget(parent) {
    setObjectName("wordOrderLegend");
    setMinimumHeight(kOrderLegendHeight);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    struct Item {
      QColor fill;
      QColor ring;
      const char* text;
    };
    const Item items[] = {
        {Qt::white, {}, "A word still to fill"},
        {kSilver, {}, "Filled before the selected word"},
        {Qt::white, Qt::red, "The selected word (its first cell)"},
        {kSilver, Qt::blue, "The word filled just before it"},
        {Qt::black, {}, "Isle, or a cell of no word"},
    };
    QPainter p(this);
    const int row = kOrderLegendHeight / static_cast<int>(std::size(items));
    int y = 0;
    for (const Item& item : items) {
      const QRect swatch(2, y + (row - 12) / 2, 12, 12);
      p.setPen(QColor(96, 96, 96));
      p.setBrush(item.fill);
      p.drawRect(swatch);
      if (item.ring.isValid()) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(item.ring, 2));
        p.setBrush(kSilver);
        p.drawEllipse(swatch.adjusted(2, 2, -2, -2));
        p.setRenderHint(QPainter::Antialiasing, false);
      }
      p.setPen(palette().windowText().color());
      p.drawText(QRect(20, y, width() - 20, row), Qt::AlignLeft | Qt::AlignVCenter, item.text);
      y += row;
    }
  }
};

QRect miniatureRect(const WordOrderEntry& e, int cellSize) {
  const int x = e.column * cellSize;
  const int y = e.row * cellSize;
  if (e.direction == Direction::Across) return QRect(x, y, e.length * cellSize, cellSize);
  return QRect(x, y, cellSize, e.length * cellSize);
}

QString slotName(const WordOrderEntry& e) {
  const QString direction = e.direction == Direction::Across ? "Across" : "Down";
  const QString numbered = e.number > 0 ? QString("%1 %2").arg(e.number).arg(direction) : direction;
  return QString("%1, row %2 column %3, %4 letter%5")
      .arg(numbered)
      .arg(e.row + 1)
      .arg(e.column + 1)
      .arg(e.length)
      .arg(e.length == 1 ? "" : "s");
}

QString orderEntryText(int listPosition, const WordOrderEntry& entry) {
  return QString::asprintf("%3d  ", listPosition) + slotName(entry);
}

std::vector<int> printedNumbers(const std::vector<Slot>& slots) {
  std::vector<std::pair<int, int>> starts;
  for (const Slot& s : slots)
    if (s.length >= 2) starts.emplace_back(s.row, s.column);
  std::sort(starts.begin(), starts.end());
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  std::vector<int> numbers;
  numbers.reserve(slots.size());
  for (const Slot& s : slots) {
    const std::pair<int, int> start(s.row, s.column);
    const auto at = std::lower_bound(starts.begin(), starts.end(), start);
    numbers.push_back(at != starts.end() && *at == start ? static_cast<int>(at - starts.begin()) + 1 : 0);
  }
  return numbers;
}

QSize wordOrderDialogSize(int maxColumn, int maxRow) {
  // The whole miniature beside the panel and above the legend (the highest index is one cell
  // short of the board).
  const QSize wanted((maxColumn + 1) * kMiniatureOpeningCellSize + kOrderPanelWidth + 4,
                     (maxRow + 1) * kMiniatureOpeningCellSize + kOrderLegendHeight + 4);
  return wanted.expandedTo(kWordOrderMinimumSize);
}

WordOrderDialog::WordOrderDialog(int maxColumn, int maxRow, const std::vector<Slot>& order, QWidget* parent)
    : QDialog(parent, Qt::Tool), maxColumn_(maxColumn), maxRow_(maxRow) {
  setObjectName("wordOrderDialog");
  setWindowTitle("Sort-order of words");
  applyAuthoringLook(this);

  entries_.reserve(order.size());
  const std::vector<int> numbers = printedNumbers(order);
  for (std::size_t i = 0; i < order.size(); ++i) {
    const Slot& s = order[i];
    entries_.push_back({s.length, s.row, s.column, s.direction, static_cast<int>(i) + 1, numbers[i]});
  }

  miniature_ = new WordOrderMiniature(*this, maxColumn_ + 1, maxRow_ + 1, this);

  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName("orderToolBar");
  toolbar->setIconSize(QSize(16, 16));
  upAction_ = toolbar->addAction(buttonIcon(Qt::UpArrow), "Up");
  upAction_->setObjectName("upAction");
  upAction_->setToolTip("Move selected one up");
  downAction_ = toolbar->addAction(buttonIcon(Qt::DownArrow), "Down");
  downAction_->setObjectName("downAction");
  downAction_->setToolTip("Move selected one down");
  connect(upAction_, &QAction::triggered, this, [this] { moveSelected(-1); });
  connect(downAction_, &QAction::triggered, this, [this] { moveSelected(+1); });

  list_ = new QListWidget(this);
  list_->setObjectName("orderList");
  list_->setItemDelegate(new OrderRowDelegate(entries_, list_));
  list_->setUniformItemSizes(true);
  for (std::size_t i = 0; i < entries_.size(); ++i)
    list_->addItem(orderEntryText(static_cast<int>(i) + 1, entries_[i]));
  connect(list_, &QListWidget::currentRowChanged, this, [this] { selectionMoved(); });

  const auto [ok, cancel] = makeOkCancelButtons(this);

  auto* panel = new QWidget(this);
  panel->setFixedWidth(kOrderPanelWidth);
  auto* panelLayout = new QVBoxLayout(panel);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  panelLayout->setSpacing(4);
  panelLayout->addWidget(toolbar);
  panelLayout->addWidget(list_, 1);
  panelLayout->addWidget(cancel);
  panelLayout->addWidget(ok);

  auto* left = new QVBoxLayout;
  left->setContentsMargins(0, 0, 0, 0);
  left->addWidget(miniature_, 1);
  left->addWidget(new WordOrderLegend(this));

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addLayout(left, 1);
  layout->addWidget(panel);

  setMinimumSize(kWordOrderMinimumSize);
  QSize size = wordOrderDialogSize(maxColumn_, maxRow_);
  if (const QScreen* screen = this->screen()) size = size.boundedTo(screen->availableGeometry().size());
  resize(size.expandedTo(kWordOrderMinimumSize));
  if (!entries_.empty()) list_->setCurrentRow(0);
  updateCommands();
}

void WordOrderDialog::showEvent(QShowEvent* event) {
  centerOnScreen(this);
  QDialog::showEvent(event);
}

void WordOrderDialog::setFixedLetters(const Layout& layout) {
  letters_ = layout;
  miniature_->update();
}

int WordOrderDialog::miniatureCellSize() const { return miniature_->cellSize(); }

int WordOrderDialog::selectedIndex() const { return list_ ? list_->currentRow() : -1; }

std::vector<int> WordOrderDialog::givenPositions() const {
  std::vector<int> order;
  order.reserve(entries_.size());
  for (const WordOrderEntry& e : entries_) order.push_back(e.givenPosition);
  return order;
}

void WordOrderDialog::moveSelected(int by) {
  const int from = selectedIndex();
  const int to = from + by;
  if (from < 0 || to < 0 || to >= static_cast<int>(entries_.size())) return;
  std::swap(entries_[static_cast<std::size_t>(from)], entries_[static_cast<std::size_t>(to)]);
  // The list positions stay; the names travel with their entries.
  list_->item(from)->setText(orderEntryText(from + 1, entries_[static_cast<std::size_t>(from)]));
  list_->item(to)->setText(orderEntryText(to + 1, entries_[static_cast<std::size_t>(to)]));
  list_->setCurrentRow(to);
  list_->viewport()->update();
  miniature_->update();
}

void WordOrderDialog::selectionMoved() {
  updateCommands();
  miniature_->update();
}

void WordOrderDialog::updateCommands() {
  const int s = selectedIndex();
  upAction_->setEnabled(s > 0);
  downAction_->setEnabled(s >= 0 && s + 1 < static_cast<int>(entries_.size()));
}

}  // namespace gw::gui
