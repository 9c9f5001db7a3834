#pragma once
// The definition table: one row per word of the board with its clue text, always in key
// order (all down words, then all across words, each by row, then column). Which row is
// current belongs to the view that shows the table.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/direction.h"

namespace gw {

struct Definition {
  Direction direction = Direction::Down;
  int row = 0;       // of the first letter
  int column = 0;    // of the first letter
  std::string clue;  // in the crossword's clue code page; may be empty
  std::string word;  // the letters as they stand on the board

  // Calculated, never stored: recomputed from the word on every read.
  int length() const { return static_cast<int>(word.size()); }
  friend bool operator==(const Definition&, const Definition&) = default;
};

// The key order of the table: down before across, then row, then column.
bool definitionKeyLess(const Definition& a, const Definition& b);

class DefinitionTable {
 public:
  const std::vector<Definition>& rows() const { return rows_; }
  std::size_t size() const { return rows_.size(); }
  bool empty() const { return rows_.empty(); }
  const Definition& at(std::size_t i) const { return rows_.at(i); }

  // Index of the definition of the word that starts at (row, column) in `direction`, if there is one.
  std::optional<std::size_t> find(Direction direction, int row, int column) const;

  // Adds a row at its place in the key order. Rows enter only while the insert guard is
  // detached (by preparing definitions): otherwise the insert is cancelled silently, as is an
  // insert of a key the table already holds. Returns whether the row was added.
  bool insert(Definition row);

  // Replaces every row by `rows` (put in key order; keys must be unique), as preparing
  // definitions does in one go. Cancelled like insert() while the guard is attached.
  bool assign(std::vector<Definition> rows);

  void setClue(std::size_t i, std::string clue) { rows_.at(i).clue = std::move(clue); }
  void setWord(std::size_t i, std::string word) { rows_.at(i).word = std::move(word); }
  void clear();

  bool insertGuardAttached() const { return guardAttached_; }
  // While the guard is attached every insert is cancelled without a message.
  bool insertAllowed() const { return !guardAttached_; }

  // Detaches the insert guard for its lifetime and attaches it again when it ends,
  // also when an exception ends the work in between.
  class InsertScope {
   public:
    explicit InsertScope(DefinitionTable& table) : table_(table), was_(table.guardAttached_) {
      table_.guardAttached_ = false;
    }
    ~InsertScope() { table_.guardAttached_ = was_; }
    InsertScope(const InsertScope&) = delete;
    InsertScope& operator=(const InsertScope&) = delete;

   private:
    DefinitionTable& table_;
    bool was_;
  };

 private:
  std::vector<Definition> rows_;
  bool guardAttached_ = true;
};

}  // namespace gw
