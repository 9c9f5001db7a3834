#include "authoring/gui/composing/layout_grid_model.h"

#include <QColor>
#include <array>

#include "common/codepage.h"

namespace gw::gui {

namespace {

const QColor kIsleColor{255, 255, 0};
const QColor kEmptyColor{0, 255, 255};
const QColor kLetterColor{255, 255, 255};

// The Unicode character of every byte of a language's code page, converted once.
QChar unicodeOf(char byte, Language language) {
  static const auto tables = [] {
    std::array<std::array<QChar, 256>, 3> t{};
    for (Language l : {Language::English, Language::German, Language::Serbian}) {
      for (int b = 0; b < 256; ++b) {
        QString s = QString::fromStdString(toUtf8(std::string(1, static_cast<char>(b)), boardCodePage(l)));
        t[static_cast<std::size_t>(l)][static_cast<std::size_t>(b)] = s.isEmpty() ? QChar() : s.at(0);
      }
    }
    return t;
  }();
  const auto l = static_cast<std::size_t>(language);
  return tables[l < tables.size() ? l : 0][static_cast<unsigned char>(byte)];
}

}  // namespace

LayoutGridModel::LayoutGridModel(std::function<const Layout&()> shownLayout, QObject* parent)
    : QAbstractTableModel(parent), shownLayout_(std::move(shownLayout)) {}

void LayoutGridModel::setLayoutOpen(bool open) {
  if (open == open_) return;
  open_ = open;
  resetLayout();
}

void LayoutGridModel::resetLayout() {
  beginResetModel();
  const Layout& layout = shownLayout_();
  rows_ = open_ ? std::max(1, layout.rows) : 1;
  columns_ = open_ ? std::max(1, layout.columns) : 1;
  endResetModel();
}

void LayoutGridModel::refreshCells() {
  Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1),
                     {Qt::DisplayRole, Qt::BackgroundRole, CellKindRole, FixedLetterRole});
}

int LayoutGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int LayoutGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

LayoutGridModel::CellKind LayoutGridModel::kind(int row, int column) const {
  if (!open_) return CellKind::Empty;
  const Layout& layout = shownLayout_();
  if (!layout.contains(row, column)) return CellKind::Empty;
  if (layout.board.isIsle(row, column)) return CellKind::Isle;
  return layout.board.isLetter(row, column) ? CellKind::Letter : CellKind::Empty;
}

QString LayoutGridModel::letter(int row, int column) const {
  if (kind(row, column) != CellKind::Letter) return {};
  const Layout& layout = shownLayout_();
  return QString(unicodeOf(layout.board.cell(row, column).character, layout.language));
}

QVariant LayoutGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_ || index.column() >= columns_) return {};
  const CellKind k = kind(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole: return letter(index.row(), index.column());
    case Qt::BackgroundRole:
      return k == CellKind::Isle ? kIsleColor : k == CellKind::Letter ? kLetterColor : kEmptyColor;
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case CellKindRole: return static_cast<int>(k);
    case FixedLetterRole:
      return k == CellKind::Letter &&
             (!authorLayout_ || authorLayout_().board.isLetter(index.row(), index.column()));
    default: return {};
  }
}

}  // namespace gw::gui
