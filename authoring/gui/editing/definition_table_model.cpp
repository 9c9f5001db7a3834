#include "authoring/gui/editing/definition_table_model.h"

#include "common/errors.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

DefinitionTableModel::DefinitionTableModel(EditedCrossword& crossword, QObject* parent)
    : QAbstractTableModel(parent), crossword_(crossword) {}

int DefinitionTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : crossword_.definitionCount();
}

int DefinitionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant DefinitionTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  if (index.column() == WordColumn)
    return fromCodePage(crossword_.word(index.row()), crossword_.boardCodePage());
  return fromCodePage(crossword_.clue(index.row()), crossword_.clueCodePage());
}

QVariant DefinitionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return section == WordColumn ? QStringLiteral("word") : QStringLiteral("desc");
}

Qt::ItemFlags DefinitionTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == ClueColumn) f |= Qt::ItemIsEditable;
  return f;
}

bool DefinitionTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() != ClueColumn || index.row() >= rowCount())
    return false;
  std::string bytes;
  try {
    bytes = toCodePage(value.toString(), crossword_.clueCodePage());
  } catch (const FormatError& e) {
    ++refusals_;
    Q_EMIT clueRefused(QString::fromStdString(e.what()));
    return false;
  }
  if (bytes == crossword_.clue(index.row())) return true;
  crossword_.setClue(index.row(), std::move(bytes));
  Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

bool DefinitionTableModel::insertRows(int, int, const QModelIndex&) { return false; }

void DefinitionTableModel::reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace gw::gui
