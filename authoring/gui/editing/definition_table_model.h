#pragma once
// The definition table as a Qt model: one row per word in table order, column 0 the word
// as it stands on the board (read only), column 1 its clue text (editable, through the clue
// editor). Texts are decoded and encoded with the code pages of the open crossword; the model
// resets itself whenever the workflow replaces the table.
#include <QAbstractTableModel>

namespace gw::gui {

class EditingWorkflow;

class DefinitionTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { WordColumn = 0, ClueColumn = 1, ColumnCount };

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

  // How many clue texts have been refused so far.
  int refusals() const { return refusals_; }

 private:
  EditingWorkflow& workflow_;
  int refusals_ = 0;
};

}  // namespace gw::gui
