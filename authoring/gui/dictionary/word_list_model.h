#pragma once
// The dictionary editor's word list as a table model: one row per word, in the order of
// the sorted core list, with the word and its score (editable). Many words arriving at once (an import) are
// merged in one pass and announced as one layout change, so a list of 356,000 words stays smooth.
#include <QAbstractTableModel>
#include <filesystem>
#include <optional>
#include <vector>

#include "authoring/composing/dictionary/word_lists/word_list.h"
#include "gui_common/qt_bridge.h"

namespace gw::gui {

class WordListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit WordListModel(Language language, QObject* parent = nullptr);

  enum Column { WordColumn, ScoreColumn };

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Sets a score (0 to 100) in the score column.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  const WordList& words() const { return list_; }
  const CodePageTable& text() const { return text_; }

  // Replaces the list by a word file. Throws FileError and keeps the list then.
  void load(const std::filesystem::path& wordFile);
  // Adds a word (code-page bytes) unless it is listed; its row, or nothing.
  std::optional<int> addWord(std::string_view word);
  void removeWordAt(int row);
  // Merges words found by an import; returns how many were new.
  std::size_t mergeWords(std::vector<WordEntry> batch);
  // "Re-check"; returns how many entries went.
  std::size_t recheck();

 private:
  WordList list_;
  const CodePageTable& text_;
};

}  // namespace gw::gui
