#pragma once
// A score file read for loading a word list: every entry in one buffer, sorted by its bytes.
// Loading pairs each word with its score by walking both sorted lists together (ScoreTable::
// Cursor), where a hash map would cost a node per entry and a lookup per word; the shipped
// English scores load in about a tenth of the time that way.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/dictionary/word_scores.h"
#include "common/language.h"

namespace gw {

class ScoreTable {
 public:
  ScoreTable() = default;
  // Reads a score file as WordScores::load does (same errors); of a word listed twice the
  // last line counts.
  static ScoreTable load(const std::filesystem::path& scoreFile, Language language);
  static ScoreTable from(const WordScores& scores);

  // No word has a score other than 50.
  bool empty() const { return !scored_; }
  std::size_t size() const { return entries_.size(); }
  int score(std::string_view word) const;

  // Looks words up one after another: each lookup goes on from where the last one ended when
  // the word sorts after the last one (as a sorted word list's words do), else it searches the
  // whole table.
  class Cursor {
   public:
    explicit Cursor(const ScoreTable& table) : table_(table) {}
    int score(std::string_view word);

   private:
    const ScoreTable& table_;
    std::size_t next_ = 0;  // the entries before it sort before the last word looked up, or are it
  };

 private:
  struct Entry {
    std::uint32_t offset;
    std::uint8_t length;
    std::uint8_t score;
    bool converted;  // in converted_, else in bytes_
  };
  std::string_view word(const Entry& e) const {
    return std::string_view((e.converted ? converted_.data() : bytes_.data()) + e.offset, e.length);
  }
  void add(std::string_view word, int score);
  void sortAndMerge();

  std::string bytes_;      // the score file, its ASCII words upper-cased in place
  std::string converted_;  // the other words, converted to the code page, one after another
  std::vector<Entry> entries_;
  bool scored_ = false;
  bool sorted_ = true;  // the entries, as added, are in byte order without a word twice
};

}  // namespace gw
