#pragma once
// The definition table as a Qt model: one row per word in table order, column 0 the word
// as it stands on the board (read only), column 1 its clue text (editable, through the clue
// editor). Texts are decoded and encoded with the code pages of the open crossword.
#include <QAbstractTableModel>

#include "authoring/gui/editing/edited_crossword.h"

namespace gw::gui {

class DefinitionTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { WordColumn = 0, ClueColumn = 1, ColumnCount };

  explicit DefinitionTableModel(EditedCrossword& crossword, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Stores a clue text. Text the clue code page cannot hold is refused (clueRefused) and
  // the stored clue stays as it was.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  // Rows are never inserted from a view: they come only from preparing definitions.
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;

  // The crossword changed beneath the model (opened, closed, new, prepared, charset changed).
  void reload();
  // How many clue texts have been refused so far.
  int refusals() const { return refusals_; }

 Q_SIGNALS:
  void clueRefused(const QString& message);

 private:
  EditedCrossword& crossword_;
  int refusals_ = 0;
};

}  // namespace gw::gui
