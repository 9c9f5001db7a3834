#pragma once
// The editable word list of one language, as the dictionary editor and gridwright-words
// hold it: every word of a word file, kept sorted in the language's case-insensitive
// collation. Lookups are binary searches; many new words are merged in one pass, never
// inserted one at a time. A word file's duplicates stay until "Re-check" removes them;
// adding never makes a new one.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/dictionary/word_collation.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "common/language.h"

namespace gw {

// A word (code-page bytes) with its sort key, and the score an import line gave it.
struct WordEntry {
  std::string key;
  std::string word;
  std::optional<int> score = std::nullopt;
};

class WordList {
 public:
  explicit WordList(Language language);

  Language language() const { return collation_.language(); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  // Throws std::out_of_range for a row at or past size(). Valid until the list changes.
  std::string_view word(std::size_t row) const { return wordOf(entries_.at(row)); }

  // Replaces the list by the lines of a word file (CR LF or LF; empty lines skipped) and
  // the scores of the score file beside it. A missing file gives an empty list. Throws
  // FileError (also for a malformed score file) and keeps the list as it was.
  void load(const std::filesystem::path& wordFile);
  // Replaces the list by these words.
  void assign(const std::vector<std::string>& words);

  // The word with its sort key, ready for merge().
  WordEntry entryFor(std::string_view word) const;

  // Where `word` stands or would be inserted, and whether an entry equals it (case aside).
  struct Position {
    std::size_t row = 0;
    bool listed = false;
  };
  Position locate(std::string_view word) const;

  // Row of the first entry equal to `word` (case aside), if any.
  std::optional<std::size_t> find(std::string_view word) const;
  // Row of the entry equal to the longest leading part of `text` that is an entry:
  // ABCX finds ABC when ABCX is missing.
  std::optional<std::size_t> findLongestLeadingPart(std::string_view text) const;

  // Adds a word unless it is an entry already; the row it got, or nothing.
  std::optional<std::size_t> insert(std::string_view word);
  // Throws std::out_of_range for a row at or past size().
  void erase(std::size_t row);

  // Adds the words of `batch` that are no entries yet (a repeat within the batch counts
  // once, the first one kept) in one pass; an entry with a score sets it, for a listed
  // word too. Returns the rows of the added words in the new list, ascending; its size is
  // the number added.
  std::vector<std::size_t> merge(std::vector<WordEntry> batch);
  // Sorts a batch by key (stably) and drops its repeats, as merge() would; a worker
  // thread may do it beforehand, so that merging on another thread is quicker.
  static void prepareBatch(std::vector<WordEntry>& batch);

  // "Re-check": drops every entry longer than WordRules::kMaxWordLength and every
  // duplicate (the first kept). Returns how many entries went.
  std::size_t recheck();

  // A word's score (50 unless set).
  int score(std::size_t row) const { return scores_.score(word(row)); }
  int score(std::string_view word) const { return scores_.score(word); }
  void setScore(std::string_view word, int score) { scores_.set(word, score); }
  const WordScores& scores() const { return scores_; }

  // The word file: the words in list order, each followed by CR LF.
  std::string fileBytes() const;
  // The score file: a "WORD;SCORE" line for every listed word not scored 50.
  std::string scoreFileBytes() const;
  // Writes fileBytes() to a temporary file beside `wordFile` and renames it over it,
  // creating the folder if it is missing; then the score file beside it the same way,
  // when there are scores or a score file was there. Throws FileError; the old file
  // stays then.
  void save(const std::filesystem::path& wordFile) const;

  // Bytes held by the list (for benchmarks).
  std::size_t memoryUsage() const;

 private:
  // Every key and word lives in one buffer, so that 356,000 words cost a few megabytes
  // and merging moves small records only.
  struct Entry {
    std::size_t offset;  // of the key in text_; the word follows it
    std::uint32_t keyLength;
    std::uint32_t wordLength;
  };

  std::string_view keyOf(const Entry& e) const {
    return std::string_view(text_).substr(e.offset, e.keyLength);
  }
  std::string_view wordOf(const Entry& e) const {
    return std::string_view(text_).substr(e.offset + e.keyLength, e.wordLength);
  }
  Entry append(std::string_view key, std::string_view word);
  std::vector<Entry>::const_iterator lowerBound(std::string_view key) const;
  void sortAndKeep(std::vector<Entry> entries);
  void compactIfWasteful();

  mutable WordCollation collation_;  // scratch buffers only
  std::string text_;                 // keys and words of the entries (and of erased ones)
  std::vector<Entry> entries_;
  std::size_t erasedBytes_ = 0;
  WordScores scores_;
};

}  // namespace gw
