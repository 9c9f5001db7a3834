#include "authoring/gui/dictionary/word_list_model.h"

namespace gw::gui {

WordListModel::WordListModel(Language language, QObject* parent)
    : QAbstractTableModel(parent), list_(language), text_(CodePageTable::of(boardCodePage(language))) {}

int WordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

int WordListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (index.column() == ScoreColumn) {
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    return list_.score(row);
  }
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return text_.toQString(list_.word(row));
}

QVariant WordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
    return QAbstractTableModel::headerData(section, orientation, role);
  return section == ScoreColumn ? QString("Score") : QString("Word");
}

Qt::ItemFlags WordListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == ScoreColumn) f |= Qt::ItemIsEditable;
  return f;
}

bool WordListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid) ||
      index.column() != ScoreColumn)
    return false;
  bool number = false;
  const int score = value.toInt(&number);
  if (!number || score < 0 || score > kMaxWordScore) return false;
  list_.setScore(list_.word(static_cast<std::size_t>(index.row())), score);
  Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

void WordListModel::load(const std::filesystem::path& wordFile) {
  WordList loaded(list_.language());
  loaded.load(wordFile);
  beginResetModel();
  list_ = std::move(loaded);
  endResetModel();
}

std::optional<int> WordListModel::addWord(std::string_view word) {
  if (word.empty()) return std::nullopt;
  WordList::Position at = list_.locate(word);
  if (at.listed) return std::nullopt;
  int row = static_cast<int>(at.row);
  beginInsertRows(QModelIndex(), row, row);
  list_.insert(word);
  endInsertRows();
  return row;
}

void WordListModel::removeWordAt(int row) {
  if (row < 0 || row >= rowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  list_.erase(static_cast<std::size_t>(row));
  endRemoveRows();
}

std::size_t WordListModel::mergeWords(std::vector<WordEntry> batch) {
  if (batch.empty()) return 0;
  Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<std::size_t> added = list_.merge(std::move(batch));
  // An old row moves down by the number of new words before it in the new list.
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& old : before) {
    std::size_t row = static_cast<std::size_t>(old.row());
    // new row r satisfies r - (added rows < r) == row; walk the sorted added rows.
    std::size_t shift = 0;
    while (shift < added.size() && added[shift] <= row + shift) ++shift;
    after.append(index(static_cast<int>(row + shift), old.column()));
  }
  changePersistentIndexList(before, after);
  Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  return added.size();
}

std::size_t WordListModel::recheck() {
  beginResetModel();
  std::size_t removed = list_.recheck();
  endResetModel();
  return removed;
}

}  // namespace gw::gui
