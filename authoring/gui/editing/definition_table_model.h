#pragma once
// The definition table as a Qt model: one row per word in the list's order (the table's, or
// by printed number), with the printed number and direction ("18 Down"), the word as it stands
// on the board (in red, with a tooltip, when the word list does not know it), its length, a
// mark for a missing clue, and the clue text (editable, through the clue editor). Texts are
// decoded and encoded with the code pages of the open crossword; the model resets itself
// whenever the workflow replaces the table or its order.
#include <QAbstractTableModel>

namespace gw::gui {

class EditingWorkflow;

class DefinitionTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { NumberColumn = 0, WordColumn, LengthColumn, MissingColumn, ClueColumn, ColumnCount };

  explicit DefinitionTableModel(EditingWorkflow& workflow, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Stores a clue text. Text the clue code page cannot hold is refused (the workflow reports
  // it) and the stored clue stays as it was.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  // Rows are never inserted from a view: they come only from preparing definitions.
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;

  // The definition table's row shown in a model row, and back (-1 when there is none).
  int definitionAt(int row) const;
  int rowOf(int definition) const;

  // How many clue texts have been refused so far.
  int refusals() const { return refusals_; }

 private:
  EditingWorkflow& workflow_;
  int refusals_ = 0;
};

}  // namespace gw::gui
