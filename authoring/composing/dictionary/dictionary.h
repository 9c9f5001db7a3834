#pragma once
// The word dictionary of one language: every distinct word of a word file, split by
// length (1 to 80) and kept in the language's case-insensitive collation order.
// Queries take a pattern of exactly `length` bytes in which kAnyLetter stands for an
// open cell and any other byte must match exactly; they are answered from a
// per-length index of which words hold which letter at which position.
// The const members keep no scratch state, so they may run on several threads.
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/composing/dictionary/dictionary_index.h"
#include "authoring/composing/dictionary/word_scores.h"
#include "common/language.h"

namespace gw {

inline constexpr char kAnyLetter = '.';

// The words of one length in dictionary order: their letters back to back (word i is the
// `length` bytes from i * length) and their query index. Shared, never changed once built,
// so a search keeps the storage it reads alive without a copy.
struct LengthWords {
  int length = 0;
  std::string text;
  LetterIndex index;

  std::size_t count() const { return text.size() / static_cast<std::size_t>(length); }
  std::string_view word(std::size_t id) const {
    return std::string_view(text).substr(id * static_cast<std::size_t>(length),
                                         static_cast<std::size_t>(length));
  }
};

class Dictionary {
 public:
  static constexpr int kMaxWordLength = 80;
  static constexpr int kMaxSlotLength = 41;  // a board side: a word file's longer words are skipped
  static constexpr std::uint64_t kMaxWordFileBytes = 1ull << 30;
  using WordId = std::uint32_t;  // position of a word in its length's ordered list

  Dictionary();
  ~Dictionary();
  Dictionary(Dictionary&&) noexcept;
  Dictionary& operator=(Dictionary&&) noexcept;

  // Rebuilds the dictionary from a word file (one word per line, CR LF or LF) and the
  // score file beside it (scoreFileFor). Words scored under `minScore` are left out.
  // A missing file gives an empty dictionary (no scores). A read error or a malformed
  // score file throws FileError and leaves the dictionary as it was. Words are checked
  // as checkWordFile says.
  void load(const std::filesystem::path& wordFile, Language language, int minScore = kDefaultMinWordScore);
  // The minimum score of the last load.
  int minScore() const { return minScore_; }
  // Words of the last load left out for their score.
  std::size_t belowMinScoreCount() const { return belowMinScoreCount_; }
  // Words of the last load() that were skipped: a caller reports them in one warning line.
  std::size_t skippedWordCount() const { return skippedWordCount_; }

  // The words of a word file's bytes: a leading UTF-8 byte order mark is dropped, letters are
  // upper-cased as the language does (in place), and a word holding anything but the language's
  // letters, or longer than any slot, is skipped. Appends the words (views into `bytes`) and
  // returns how many were skipped.
  static std::size_t checkWordFile(std::string& bytes, Language language,
                                   std::vector<std::string_view>& words);
  // The same from lines already in memory (tests, the dictionary editor).
  void loadLines(const std::vector<std::string>& lines, Language language, const WordScores& scores = {},
                 int minScore = kDefaultMinWordScore);

  Language language() const;
  std::size_t wordCount(int length) const;
  std::size_t totalWordCount() const;
  // Throws std::out_of_range for an id at or past wordCount(length).
  std::string_view word(int length, WordId id) const;
  // The words of one length with their index; null when the dictionary has none of it.
  std::shared_ptr<const LengthWords> wordsOfLength(int length) const;
  // The words of one length joined, each followed by CR LF.
  std::string text(int length) const;

  // Every word matching the pattern (length = pattern size), in dictionary order.
  std::vector<WordId> findWords(std::string_view pattern) const;
  // The same into a caller's buffer (cleared first), so a search can reuse it.
  void findWords(std::string_view pattern, std::vector<WordId>& out) const;
  // How many words match.
  std::size_t countWords(std::string_view pattern) const;
  // Whether any word matches; stops at the first match and allocates nothing.
  bool hasWord(std::string_view pattern) const {
    // An open pattern needs no index, only a word of its length; inline because
    // the search asks it of every empty crossing slot.
    std::size_t first = nextKnown(pattern, 0, kAnyLetter);
    if (first < pattern.size()) return hasWordWithLetters(pattern, first);
    return pattern.size() <= static_cast<std::size_t>(kMaxWordLength) && lengthHasWords_[pattern.size()];
  }
  // A word's score, 0 to 100 (50 without a score file). Throws std::out_of_range as word().
  int score(int length, WordId id) const;
  // The scores of a length's words by id; empty when no word has a score other than 50.
  std::span<const std::uint8_t> scores(int length) const;
  // Whether any word has a score other than 50.
  bool hasScores() const;

  // Whether the word itself is in the dictionary (exact bytes).
  bool containsWord(std::string_view word) const;

  // Bytes held by the per-length word lists and their indexes.
  std::size_t memoryUsage() const;

 private:
  struct Impl;
  bool hasWordWithLetters(std::string_view pattern, std::size_t firstKnown) const;
  // checkWordFile's rules, calling fn(word) for each word kept.
  template <typename Fn>
  static std::size_t scanWordFile(std::string& bytes, Language language, Fn&& fn);
  void setImpl(std::unique_ptr<Impl> impl);

  std::unique_ptr<Impl> impl_;
  std::array<bool, kMaxWordLength + 1> lengthHasWords_{};  // [0] stays false
  std::size_t skippedWordCount_ = 0;
  std::size_t belowMinScoreCount_ = 0;
  int minScore_ = kDefaultMinWordScore;
};

}  // namespace gw
