#pragma once
// The composing grid's model: one item per cell of the layout the page shows (the author's
// layout, or the composer's board while a search exists). Read-only: the page changes
// cells through the layout session and then tells the model.
#include <QAbstractTableModel>
#include <functional>

#include "authoring/composing/layout/board.h"

namespace gw::gui {

class LayoutGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum class CellKind { Empty, Isle, Letter };
  static constexpr int CellKindRole = Qt::UserRole + 1;
  // True for a letter the author fixed (in the author's layout), false for one a fill placed.
  static constexpr int FixedLetterRole = Qt::UserRole + 2;

  // `shownLayout` gives the layout to show; read at every query, so it may change object.
  explicit LayoutGridModel(std::function<const Layout&()> shownLayout, QObject* parent = nullptr);

  // The author's layout, to tell fixed letters from placed ones; without it every letter is fixed.
  void setAuthorLayout(std::function<const Layout&()> authorLayout) {
    authorLayout_ = std::move(authorLayout);
  }
  // With no open layout the grid is one empty cell.
  void setLayoutOpen(bool open);
  // The layout's size or language changed (new, open).
  void resetLayout();
  // Cells changed: repaint them all.
  void refreshCells();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  CellKind kind(int row, int column) const;
  // The cell's letter as text ("" for empty cells and isles).
  QString letter(int row, int column) const;

 private:
  std::function<const Layout&()> shownLayout_;
  std::function<const Layout&()> authorLayout_;
  bool open_ = false;
  int rows_ = 1;
  int columns_ = 1;
};

}  // namespace gw::gui
