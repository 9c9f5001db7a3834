#include "authoring/gui/composing/candidate_list_model.h"

#include <QColor>
#include <QLocale>

#include "gui_common/qt_bridge.h"

namespace gw::gui {

void CandidateListModel::setCandidates(std::vector<SlotCandidate> words, Language language) {
  beginResetModel();
  words_ = std::move(words);
  language_ = language;
  endResetModel();
}

int CandidateListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(words_.size());
}

int CandidateListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QVariant CandidateListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const SlotCandidate& c = candidate(index.row());
  switch (role) {
    case Qt::DisplayRole:
      switch (index.column()) {
        case WordColumn: return CodePageTable::of(boardCodePage(language_)).toQString(c.word);
        case ScoreColumn: return c.score;
        case CrossingsColumn:
          return c.unfillable ? QVariant(QString("none")) : QVariant::fromValue(c.fewestCrossing);
      }
      return {};
    case Qt::ForegroundRole: return c.unfillable ? QVariant(QColor(150, 150, 150)) : QVariant();
    case Qt::TextAlignmentRole:
      return index.column() == WordColumn ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole:
      if (c.unfillable) return QString("No fill of the layout has this word here");
      return QString("Its tightest crossing keeps %1 words, all crossings together %2")
          .arg(QLocale().toString(static_cast<qulonglong>(c.fewestCrossing)),
               QLocale().toString(static_cast<qulonglong>(c.crossingTotal)));
  }
  return {};
}

QVariant CandidateListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case WordColumn: return QString("Word");
    case ScoreColumn: return QString("Score");
    case CrossingsColumn: return QString("Crossings");
  }
  return {};
}

}  // namespace gw::gui
