#include "authoring/composing/dictionary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "authoring/composing/dictionary_index.h"
#include "authoring/composing/score_table.h"
#include "authoring/composing/word_collation.h"
#include "common/errors.h"
#include "common/file_io.h"
#include "common/letters.h"

namespace gw {
namespace {

constexpr int kLengths = Dictionary::kMaxWordLength + 1;  // index 0 unused

// Splits on LF, dropping the CR of a CR LF (or of a file's cut-off last CR LF);
// a CR anywhere else belongs to the line.
template <typename Fn>
void forEachLine(std::string_view text, Fn&& fn) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::size_t stop = (end > start && text[end - 1] == '\r') ? end - 1 : end;
    fn(text.substr(start, stop - start));
    start = next;
  }
}

// The words of a load with their scores (parallel; no scores when every word scores 50).
struct ScoredWords {
  std::vector<std::string_view> words;
  std::vector<std::uint8_t> scores;
};

// Gives each word its score and leaves out those scored under `minScore`; returns how many
// went. Scores are looked up in reading order: a sorted word list walks the sorted table once.
std::size_t scoreWords(ScoredWords& in, const ScoreTable& table, int minScore) {
  if (table.empty()) {
    if (minScore <= kDefaultWordScore) return 0;
    const std::size_t all = in.words.size();
    in.words.clear();
    return all;
  }
  ScoreTable::Cursor cursor(table);
  in.scores.resize(in.words.size());
  std::size_t kept = 0;
  for (std::size_t i = 0; i < in.words.size(); ++i) {
    const int score = cursor.score(in.words[i]);
    if (score < minScore) continue;
    in.words[kept] = in.words[i];
    in.scores[kept] = static_cast<std::uint8_t>(score);
    ++kept;
  }
  const std::size_t dropped = in.words.size() - kept;
  in.words.resize(kept);
  in.scores.resize(kept);
  return dropped;
}

}  // namespace

struct Dictionary::Impl {
  Language language = Language::English;
  std::array<std::vector<std::string>, kLengths> words;
  std::array<LetterIndex, kLengths> index;
  // Per length, parallel to `words`; empty when every word scores 50.
  std::array<std::vector<std::uint8_t>, kLengths> scores;
  bool scored = false;

  // Builds a dictionary from words (and their scores) without touching any other.
  static std::unique_ptr<Impl> build(const ScoredWords& lines, Language language);
};

std::unique_ptr<Dictionary::Impl> Dictionary::Impl::build(const ScoredWords& lines, Language language) {
  auto impl = std::make_unique<Impl>();
  impl->language = language;
  impl->scored = !lines.scores.empty();
  // Per length: the candidate words in reading order (with their scores), then sorted by
  // sort key with the reading order breaking ties, so the first of equal words is the one kept.
  std::array<std::vector<std::string_view>, kLengths> read;
  std::array<std::vector<std::uint8_t>, kLengths> readScores;
  for (std::size_t i = 0; i < lines.words.size(); ++i) {
    const std::string_view line = lines.words[i];
    if (line.empty() || line.size() > static_cast<std::size_t>(kMaxWordLength)) continue;
    read[line.size()].push_back(line);
    if (impl->scored) readScores[line.size()].push_back(lines.scores[i]);
  }

  WordCollation collation(language);
  std::string keys;
  std::vector<std::size_t> keyStart;
  std::vector<std::uint32_t> order;
  for (int length = 1; length < kLengths; ++length) {
    const auto& candidates = read[length];
    if (candidates.empty()) continue;
    auto& out = impl->words[length];
    // Word files are usually sorted already: then one comparison per word shows that the
    // reading order is the dictionary order, with no word equal to another.
    std::size_t sorted = 1;
    while (sorted < candidates.size() && collation.before(candidates[sorted - 1], candidates[sorted]))
      ++sorted;
    if (sorted == candidates.size()) {
      out.assign(candidates.begin(), candidates.end());
      impl->scores[length] = std::move(readScores[length]);
      impl->index[length].build(out, length);
      continue;
    }
    keys.clear();
    keyStart.clear();
    for (std::string_view w : candidates) {
      keyStart.push_back(keys.size());
      collation.appendSortKey(w, keys);
    }
    order.resize(candidates.size());
    std::iota(order.begin(), order.end(), 0u);
    const char* base = keys.data();
    auto key = [&](std::uint32_t i) { return base + keyStart[i]; };
    std::stable_sort(order.begin(), order.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return std::strcmp(key(a), key(b)) < 0; });
    out.reserve(candidates.size());
    const char* previous = nullptr;
    for (std::uint32_t i : order) {
      if (previous && std::strcmp(previous, key(i)) == 0) continue;
      previous = key(i);
      out.emplace_back(candidates[i]);
      if (impl->scored) impl->scores[length].push_back(readScores[length][i]);
    }
    impl->index[length].build(out, length);
  }
  return impl;
}

Dictionary::Dictionary() : impl_(std::make_unique<Impl>()) {}
Dictionary::~Dictionary() = default;

Dictionary::Dictionary(Dictionary&& other) noexcept
    : impl_(std::move(other.impl_)),
      lengthHasWords_(std::exchange(other.lengthHasWords_, {})),
      skippedWordCount_(std::exchange(other.skippedWordCount_, 0)),
      belowMinScoreCount_(std::exchange(other.belowMinScoreCount_, 0)),
      minScore_(std::exchange(other.minScore_, kDefaultMinWordScore)) {}

Dictionary& Dictionary::operator=(Dictionary&& other) noexcept {
  impl_ = std::move(other.impl_);
  lengthHasWords_ = std::exchange(other.lengthHasWords_, {});
  skippedWordCount_ = std::exchange(other.skippedWordCount_, 0);
  belowMinScoreCount_ = std::exchange(other.belowMinScoreCount_, 0);
  minScore_ = std::exchange(other.minScore_, kDefaultMinWordScore);
  return *this;
}

void Dictionary::setImpl(std::unique_ptr<Impl> impl) {
  impl_ = std::move(impl);
  for (int length = 0; length <= kMaxWordLength; ++length)
    lengthHasWords_[length] = !impl_->words[length].empty();
}

void Dictionary::load(const std::filesystem::path& wordFile, Language language, int minScore) {
  std::error_code ec;
  auto status = std::filesystem::status(wordFile, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    auto empty = std::make_unique<Impl>();
    empty->language = language;
    setImpl(std::move(empty));
    skippedWordCount_ = belowMinScoreCount_ = 0;
    minScore_ = minScore;
    return;
  }
  if (std::filesystem::is_directory(status))
    throw FileError("Cannot read \"" + wordFile.string() + "\": it is a folder");
  std::string bytes = readWholeFile(wordFile, kMaxWordFileBytes);
  const ScoreTable scores = ScoreTable::load(scoreFileFor(wordFile), language);
  try {
    ScoredWords lines;
    const std::size_t skipped = checkWordFile(bytes, language, lines.words);
    const std::size_t below = scoreWords(lines, scores, minScore);
    setImpl(Impl::build(lines, language));
    skippedWordCount_ = skipped;
    belowMinScoreCount_ = below;
    minScore_ = minScore;
  } catch (const std::bad_alloc&) {
    throw FileError(outOfMemoryMessage(wordFile));
  }
}

std::size_t Dictionary::checkWordFile(std::string& bytes, Language language,
                                      std::vector<std::string_view>& words) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  std::string_view text(bytes);
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  std::size_t skipped = 0;
  forEachLine(text, [&](std::string_view line) {
    if (line.empty()) return;
    // Upper-casing keeps every byte in place, so the line is changed where it lies.
    char* at = bytes.data() + (line.data() - bytes.data());
    bool letters = line.size() <= static_cast<std::size_t>(kMaxSlotLength);
    for (std::size_t i = 0; letters && i < line.size(); ++i) {
      at[i] = upperCaseLetter(at[i], language);
      letters = isBoardLetter(at[i], language);
    }
    if (letters)
      words.push_back(line);
    else
      ++skipped;
  });
  return skipped;
}

void Dictionary::loadLines(const std::vector<std::string>& lines, Language language, const WordScores& scores,
                           int minScore) {
  ScoredWords views;
  views.words.assign(lines.begin(), lines.end());
  const std::size_t below = scoreWords(views, ScoreTable::from(scores), minScore);
  setImpl(Impl::build(views, language));
  skippedWordCount_ = 0;
  belowMinScoreCount_ = below;
  minScore_ = minScore;
}

int Dictionary::score(int length, WordId id) const {
  word(length, id);  // checks the id
  return impl_->scored ? impl_->scores[length][id] : kDefaultWordScore;
}

bool Dictionary::hasScores() const { return impl_ && impl_->scored; }

Language Dictionary::language() const { return impl_ ? impl_->language : Language::English; }

std::size_t Dictionary::wordCount(int length) const {
  if (!impl_ || length < 1 || length > kMaxWordLength) return 0;
  return impl_->words[length].size();
}

std::size_t Dictionary::totalWordCount() const {
  std::size_t total = 0;
  for (int length = 1; length <= kMaxWordLength; ++length) total += wordCount(length);
  return total;
}

const std::string& Dictionary::word(int length, WordId id) const {
  if (length < 1 || length > kMaxWordLength || id >= wordCount(length))
    throw std::out_of_range("No word " + std::to_string(id) + " of length " + std::to_string(length));
  return impl_->words[length][id];
}

std::string Dictionary::text(int length) const {
  std::string out;
  if (wordCount(length) == 0) return out;
  const auto& list = impl_->words[length];
  out.reserve(list.size() * (static_cast<std::size_t>(length) + 2));
  for (const auto& w : list) {
    out += w;
    out += "\r\n";
  }
  return out;
}

namespace {
bool queryable(std::size_t length) { return length >= 1 && length <= Dictionary::kMaxWordLength; }
}  // namespace

std::vector<Dictionary::WordId> Dictionary::findWords(std::string_view pattern) const {
  std::vector<WordId> out;
  findWords(pattern, out);
  return out;
}

void Dictionary::findWords(std::string_view pattern, std::vector<WordId>& out) const {
  out.clear();
  if (impl_ && queryable(pattern.size())) impl_->index[pattern.size()].find(pattern, kAnyLetter, out);
}

std::size_t Dictionary::countWords(std::string_view pattern) const {
  if (!impl_ || !queryable(pattern.size())) return 0;
  return impl_->index[pattern.size()].count(pattern, kAnyLetter);
}

bool Dictionary::hasWordWithLetters(std::string_view pattern, std::size_t firstKnown) const {
  return impl_ && queryable(pattern.size()) &&
         impl_->index[pattern.size()].any(pattern, kAnyLetter, firstKnown);
}

bool Dictionary::containsWord(std::string_view word) const {
  return impl_ && queryable(word.size()) && impl_->index[word.size()].exact(word);
}

std::size_t Dictionary::memoryUsage() const {
  std::size_t bytes = sizeof(Dictionary);
  if (!impl_) return bytes;
  bytes += sizeof(Impl);
  for (const auto& list : impl_->words) {
    bytes += list.capacity() * sizeof(std::string);
    for (const auto& w : list)
      if (w.data() < reinterpret_cast<const char*>(&w) || w.data() >= reinterpret_cast<const char*>(&w + 1))
        bytes += w.capacity() + 1;  // held outside the string object itself
  }
  for (const auto& index : impl_->index) bytes += index.memoryUsage();
  for (const auto& scores : impl_->scores) bytes += scores.capacity();
  return bytes;
}

}  // namespace gw
