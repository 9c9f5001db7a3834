#include "authoring/gui/editing/definition_table_model.h"

#include <QBrush>
#include <QPalette>
#include <algorithm>

#include "authoring/definitions/clue_list.h"
#include "authoring/gui/editing/editing_workflow.h"

namespace gw::gui {

DefinitionTableModel::DefinitionTableModel(EditingWorkflow& workflow, QObject* parent)
    : QAbstractTableModel(parent), workflow_(workflow) {
  connect(&workflow_, &EditingWorkflow::definitionsReset, this, [this] {
    beginResetModel();
    endResetModel();
  });
  // The word list was read: every row may have gained or lost its mark.
  connect(&workflow_, &EditingWorkflow::wordCheckChanged, this, [this] {
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
  });
}

int DefinitionTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(workflow_.document().definitions().size());
}

int DefinitionTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

int DefinitionTableModel::definitionAt(int row) const {
  const auto& order = workflow_.listOrder();
  return row >= 0 && row < static_cast<int>(order.size()) ? static_cast<int>(order[row]) : -1;
}

int DefinitionTableModel::rowOf(int definition) const {
  const auto& order = workflow_.listOrder();
  const auto at = std::find(order.begin(), order.end(), static_cast<std::size_t>(definition));
  return at == order.end() ? -1 : static_cast<int>(at - order.begin());
}

QVariant DefinitionTableModel::data(const QModelIndex& index, int role) const {
  const int i = definitionAt(index.isValid() ? index.row() : -1);
  if (i < 0) return {};
  const Definition& d = workflow_.document().definitions().at(static_cast<std::size_t>(i));
  const bool printed = workflow_.printedNumber(i) > 0;
  const bool notAWord = workflow_.notInWordList(i);
  if (role == Qt::ForegroundRole) {
    if (notAWord) return QBrush(QColor(0xB0, 0x00, 0x20));
    // A one-letter word without a clue is not printed: shown dimmed.
    if (!printed) return QBrush(QPalette().color(QPalette::Disabled, QPalette::Text));
    return {};
  }
  if (role == Qt::ToolTipRole) {
    if (index.column() == MissingColumn && d.length() >= 2 && !hasClueText(d.clue))
      return QStringLiteral("No clue yet");
    if (notAWord) return workflow_.notInWordListText();
    return {};
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  switch (index.column()) {
    case NumberColumn: return workflow_.printedLabel(i);
    case WordColumn: return workflow_.word(i);
    case LengthColumn: return d.length();
    case MissingColumn: return d.length() >= 2 && !hasClueText(d.clue) ? QStringLiteral("\u2014") : QString();
    default: return workflow_.clue(i);
  }
}

QVariant DefinitionTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  switch (section) {
    case NumberColumn: return QStringLiteral("No.");
    case WordColumn: return QStringLiteral("word");
    case LengthColumn: return QStringLiteral("Len");
    case MissingColumn: return QStringLiteral("Clue");
    default: return QStringLiteral("desc");
  }
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
  const int i = definitionAt(index.row());
  if (value.toString() == workflow_.clue(i)) return true;
  if (!workflow_.setClue(i, value.toString())) {
    ++refusals_;
    return false;
  }
  Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
  return true;
}

bool DefinitionTableModel::insertRows(int, int, const QModelIndex&) { return false; }

}  // namespace gw::gui
