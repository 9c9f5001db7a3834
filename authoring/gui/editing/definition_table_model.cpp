#include "authoring/gui/editing/definition_table_model.h"

#include "authoring/gui/editing/editing_workflow.h"

namespace gw::gui {

DefinitionTableModel::DefinitionTableModel(EditingWorkflow& workflow, QObject* parent)
    : QAbstractTableModel(parent), workflow_(workflow) {
  connect(&workflow_, &EditingWorkflow::definitionsReset, this, [this] {
    beginResetModel();
    endResetModel();
  });
}

int DefinitionTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(workflow_.document().definitions().size());
}

int DefinitionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant DefinitionTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return index.column() == WordColumn ? workflow_.word(index.row()) : workflow_.clue(index.row());
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
  if (value.toString() == workflow_.clue(index.row())) return true;
  if (!workflow_.setClue(index.row(), value.toString())) {
    ++refusals_;
    return false;
  }
  Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

bool DefinitionTableModel::insertRows(int, int, const QModelIndex&) { return false; }

}  // namespace gw::gui
