#pragma once
// How good a word is for a crossword, 0 to 100, kept beside a word list: EN.words has
// EN.scores, one "WORD;SCORE" line (UTF-8) for every word whose score is not 50. The word
// file keeps its format; a list without a score file scores every word 50. A score of 0
// means "never place this word".
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/language.h"

namespace gw {

inline constexpr int kDefaultWordScore = 50;
inline constexpr int kMaxWordScore = 100;
// Words under this are left out of a search unless the author asks otherwise.
inline constexpr int kDefaultMinWordScore = 1;

// The first-fill search places words scored under this only when it finds no fill without them
// (abbreviations, spelling variants and rare words score under it in the shipped lists).
inline constexpr int kPreferredWordScore = 40;

// What a word's score adds to the first-fill search's value order, in its units (64 per
// doubling of the words a choice leaves its crossings): a word scored 10 points more counts
// as if it left its crossings about twice as many words. 0 for the default score, so a list
// without scores orders exactly as before.
constexpr std::int32_t wordScoreTerm(int score) { return (score - kDefaultWordScore) * 6; }

// EN.words -> EN.scores, in the same folder.
std::filesystem::path scoreFileFor(const std::filesystem::path& wordFile);

// A line's "WORD;SCORE" split at its last ';'. A line without ';' has no score; a score
// that is no whole number from 0 to 100 makes `badScore` true.
struct ScoredText {
  std::string_view text;  // the line without ";SCORE"
  std::optional<int> score;
  bool badScore = false;
};
ScoredText splitScore(std::string_view line);

// Reads a score file and hands each line's word (upper-cased as the language does, in its code
// page) and score to `take`, in file order; a missing file hands none. Throws FileError when the
// file cannot be read, and FileError naming the line numbers when lines are malformed (after
// every good line was handed over: a caller keeps nothing then).
void readScoreFile(const std::filesystem::path& scoreFile, Language language,
                   const std::function<void(std::string_view word, int score)>& take);
// The same keeping the file's bytes: a word that needed no conversion (ASCII) is handed as a
// view into `bytes`, upper-cased there; any other lives only during the call.
void readScoreFile(const std::filesystem::path& scoreFile, Language language, std::string& bytes,
                   const std::function<void(std::string_view word, int score)>& take);

// Lets the score map be asked with a string_view, without building a string per word.
struct WordHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};

class WordScores {
 public:
  using Map = std::unordered_map<std::string, std::uint8_t, WordHash, std::equal_to<>>;

  // The score of a word (code-page bytes, as in the word list); 50 when none is set.
  int score(std::string_view word) const {
    if (scores_.empty()) return kDefaultWordScore;
    auto it = scores_.find(word);
    return it == scores_.end() ? kDefaultWordScore : it->second;
  }
  // Sets a score (clamped to 0..100); 50 forgets the word's entry.
  void set(std::string_view word, int score);
  // Words with a score other than 50.
  std::size_t size() const { return scores_.size(); }
  bool empty() const { return scores_.empty(); }
  const Map& entries() const { return scores_; }

  // Reads a score file; a missing file gives no scores. Words are upper-cased as the
  // language does and converted to its code page. Throws FileError when the file cannot be
  // read, and FileError naming the line numbers when lines are malformed (nothing is taken
  // then).
  static WordScores load(const std::filesystem::path& scoreFile, Language language);
  // The file's bytes for the words that `keep` accepts, sorted, LF-terminated, UTF-8.
  template <typename Keep>
  std::string fileBytes(Language language, Keep keep) const;
  std::string fileBytes(Language language) const {
    return fileBytes(language, [](std::string_view) { return true; });
  }

 private:
  Map scores_;
};

// One score file line for a word (code-page bytes): "WORD;SCORE" in UTF-8, no line break.
std::string scoreLine(std::string_view word, int score, Language language);
// Sorts lines and joins them, each followed by LF.
std::string joinScoreLines(std::vector<std::string> lines);

template <typename Keep>
std::string WordScores::fileBytes(Language language, Keep keep) const {
  std::vector<std::string> lines;
  lines.reserve(scores_.size());
  for (const auto& [word, score] : scores_)
    if (keep(word)) lines.push_back(scoreLine(word, score, language));
  return joinScoreLines(std::move(lines));
}

}  // namespace gw
