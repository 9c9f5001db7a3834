#pragma once
// The ranked words of one slot as a table: the word, its score, and how many words its
// tightest crossing keeps ("Crossings"). Words that make the layout unfillable are greyed.
#include <QAbstractTableModel>

#include "authoring/composing/search/slot_candidates.h"

namespace gw::gui {

class CandidateListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { WordColumn, ScoreColumn, CrossingsColumn, ColumnCount };

  using QAbstractTableModel::QAbstractTableModel;

  void setCandidates(std::vector<SlotCandidate> words, Language language);
  void clear() { setCandidates({}, language_); }
  const SlotCandidate& candidate(int row) const { return words_[static_cast<std::size_t>(row)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::vector<SlotCandidate> words_;
  Language language_ = Language::English;
};

}  // namespace gw::gui
