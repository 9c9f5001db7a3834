#include "authoring/gui/dictionary/word_list_model.h"

namespace gw::gui {

WordListModel::WordListModel(Language language, QObject* parent)
    : QAbstractListModel(parent), list_(language), text_(language) {}

int WordListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.size());
}

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  return text_.toQString(list_.word(static_cast<std::size_t>(index.row())));
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
