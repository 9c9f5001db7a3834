#include "authoring/composing/dictionary/dictionary.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "authoring/composing/dictionary/dictionary_index.h"
#include "authoring/composing/dictionary/score_table.h"
#include "authoring/composing/dictionary/word_collation.h"
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

// Whether some word may score under `minScore`.
bool dropsWords(const ScoreTable& scores, int minScore) {
  return minScore > 0 && (!scores.empty() || minScore > kDefaultWordScore);
}

bool fitsDictionary(std::string_view word) {
  return !word.empty() && word.size() <= static_cast<std::size_t>(Dictionary::kMaxWordLength);
}

}  // namespace

// Per length, the words of a word list back to back in reading order, with their scores when
// the list has any. Each word's score is looked up once, while it is copied (the table is
// walked in the order the words come), and a word scored under the minimum is left out.
struct WordArenas {
  std::array<std::string, kLengths> text;
  std::array<std::vector<std::uint8_t>, kLengths> scores;
  bool scored = false;
  std::size_t below = 0;  // words left out for their score

  WordArenas(const ScoreTable& table, int minScore)
      : scored(!table.empty()),
        table_(table),
        cursor_(table),
        dropping_(dropsWords(table, minScore)),
        minScore_(minScore) {}
  void reserve(int length, std::size_t bytes) {
    text[length].reserve(bytes);
    if (scored) scores[length].reserve(bytes / static_cast<std::size_t>(length));
  }
  void take(std::string_view word) {
    const int score = table_.empty() ? kDefaultWordScore : cursor_.score(word);
    if (dropping_ && score < minScore_) {
      ++below;
      return;
    }
    text[word.size()] += word;
    if (scored) scores[word.size()].push_back(static_cast<std::uint8_t>(score));
  }

 private:
  const ScoreTable& table_;
  ScoreTable::Cursor cursor_;
  bool dropping_;
  int minScore_;
};

namespace {

// Copies the words that fit a dictionary.
void collectWords(const std::vector<std::string_view>& lines, WordArenas& arenas) {
  std::array<std::size_t, kLengths> bytes{};
  for (std::string_view line : lines)
    if (fitsDictionary(line)) bytes[line.size()] += line.size();
  for (int length = 1; length < kLengths; ++length) arenas.reserve(length, bytes[length]);
  for (std::string_view line : lines)
    if (fitsDictionary(line)) arenas.take(line);
}

}  // namespace

struct Dictionary::Impl {
  Language language = Language::English;
  std::array<std::shared_ptr<const LengthWords>, kLengths> words;  // null for a length without words
  // Per length, parallel to `words`; empty when every word scores 50.
  std::array<std::vector<std::uint8_t>, kLengths> scores;
  bool scored = false;

  std::size_t count(int length) const { return words[length] ? words[length]->count() : 0; }

  // Builds a dictionary from the words of each length in reading order, without touching any other.
  static std::unique_ptr<Impl> build(WordArenas& arenas, Language language);
};

std::unique_ptr<Dictionary::Impl> Dictionary::Impl::build(WordArenas& arenas, Language language) {
  auto impl = std::make_unique<Impl>();
  impl->language = language;
  impl->scored = arenas.scored;
  // Per length: the candidate words in reading order, then sorted by sort key with the
  // reading order breaking ties, so the first of equal words is the one kept.
  WordCollation collation(language);
  std::string keys;
  std::vector<std::size_t> keyStart;
  std::vector<std::uint32_t> order;
  for (int length = 1; length < kLengths; ++length) {
    std::string& read = arenas.text[length];
    std::vector<std::uint8_t>& readScores = arenas.scores[length];
    if (read.empty()) continue;
    auto out = std::make_shared<LengthWords>();
    out->length = length;
    const std::size_t n = read.size() / static_cast<std::size_t>(length);
    auto candidate = [&](std::size_t i) {
      return std::string_view(read).substr(i * static_cast<std::size_t>(length),
                                           static_cast<std::size_t>(length));
    };
    // Word files are usually sorted already: then one comparison per word shows that the
    // reading order is the dictionary order, with no word equal to another.
    std::size_t sorted = 1;
    while (sorted < n && collation.before(candidate(sorted - 1), candidate(sorted))) ++sorted;
    if (sorted == n) {
      out->text = std::move(read);
      impl->scores[length] = std::move(readScores);
    } else {
      keys.clear();
      keyStart.clear();
      for (std::size_t i = 0; i < n; ++i) {
        keyStart.push_back(keys.size());
        collation.appendSortKey(candidate(i), keys);
      }
      order.resize(n);
      std::iota(order.begin(), order.end(), 0u);
      const char* base = keys.data();
      auto key = [&](std::uint32_t i) { return base + keyStart[i]; };
      std::stable_sort(order.begin(), order.end(),
                       [&](std::uint32_t a, std::uint32_t b) { return std::strcmp(key(a), key(b)) < 0; });
      out->text.reserve(read.size());
      const char* previous = nullptr;
      for (std::uint32_t i : order) {
        if (previous && std::strcmp(previous, key(i)) == 0) continue;
        previous = key(i);
        out->text += candidate(i);
        if (arenas.scored) impl->scores[length].push_back(readScores[i]);
      }
      std::string().swap(read);
      std::vector<std::uint8_t>().swap(readScores);
    }
    out->index.build(out->text, length);
    impl->words[length] = std::move(out);
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
  for (int length = 0; length <= kMaxWordLength; ++length) lengthHasWords_[length] = impl_->count(length) > 0;
}

template <typename Fn>
std::size_t Dictionary::scanWordFile(std::string& bytes, Language language, Fn&& word) {
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
      word(line);
    else
      ++skipped;
  });
  return skipped;
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
    // Two passes, counting and then copying, so that a large list is held at most twice (the
    // file and its words by length), never as a list of lines, and only once while its
    // index is built.
    // The counting pass reserves room for every word, dropped or not: only the copying pass
    // asks the score table, walking it once in file order.
    std::array<std::size_t, kLengths> sizes{};
    const std::size_t skipped =
        scanWordFile(bytes, language, [&](std::string_view w) { sizes[w.size()] += w.size(); });
    WordArenas arenas(scores, minScore);
    for (int length = 1; length < kLengths; ++length) arenas.reserve(length, sizes[length]);
    scanWordFile(bytes, language, [&](std::string_view w) { arenas.take(w); });
    std::string().swap(bytes);
    setImpl(Impl::build(arenas, language));
    skippedWordCount_ = skipped;
    belowMinScoreCount_ = arenas.below;
    minScore_ = minScore;
  } catch (const std::bad_alloc&) {
    throw FileError(outOfMemoryMessage(wordFile));
  }
}

std::size_t Dictionary::checkWordFile(std::string& bytes, Language language,
                                      std::vector<std::string_view>& words) {
  return scanWordFile(bytes, language, [&](std::string_view w) { words.push_back(w); });
}

void Dictionary::loadLines(const std::vector<std::string>& lines, Language language, const WordScores& scores,
                           int minScore) {
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  const ScoreTable table = ScoreTable::from(scores);
  WordArenas arenas(table, minScore);
  collectWords(views, arenas);
  setImpl(Impl::build(arenas, language));
  skippedWordCount_ = 0;
  belowMinScoreCount_ = arenas.below;
  minScore_ = minScore;
}

int Dictionary::score(int length, WordId id) const {
  word(length, id);  // checks the id
  return impl_->scored ? impl_->scores[length][id] : kDefaultWordScore;
}

std::span<const std::uint8_t> Dictionary::scores(int length) const {
  if (!hasScores() || wordCount(length) == 0) return {};
  return impl_->scores[length];
}

bool Dictionary::hasScores() const { return impl_ && impl_->scored; }

Language Dictionary::language() const { return impl_ ? impl_->language : Language::English; }

std::size_t Dictionary::wordCount(int length) const {
  if (!impl_ || length < 1 || length > kMaxWordLength) return 0;
  return impl_->count(length);
}

std::size_t Dictionary::totalWordCount() const {
  std::size_t total = 0;
  for (int length = 1; length <= kMaxWordLength; ++length) total += wordCount(length);
  return total;
}

std::string_view Dictionary::word(int length, WordId id) const {
  if (length < 1 || length > kMaxWordLength || id >= wordCount(length))
    throw std::out_of_range("No word " + std::to_string(id) + " of length " + std::to_string(length));
  return impl_->words[length]->word(id);
}

std::shared_ptr<const LengthWords> Dictionary::wordsOfLength(int length) const {
  if (wordCount(length) == 0) return nullptr;
  return impl_->words[length];
}

std::string Dictionary::text(int length) const {
  std::string out;
  if (wordCount(length) == 0) return out;
  const LengthWords& list = *impl_->words[length];
  out.reserve(list.count() * (static_cast<std::size_t>(length) + 2));
  for (std::size_t id = 0; id < list.count(); ++id) {
    out += list.word(id);
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
  if (impl_ && queryable(pattern.size()) && impl_->words[pattern.size()])
    impl_->words[pattern.size()]->index.find(pattern, kAnyLetter, out);
}

std::size_t Dictionary::countWords(std::string_view pattern) const {
  if (!impl_ || !queryable(pattern.size()) || !impl_->words[pattern.size()]) return 0;
  return impl_->words[pattern.size()]->index.count(pattern, kAnyLetter);
}

bool Dictionary::hasWordWithLetters(std::string_view pattern, std::size_t firstKnown) const {
  return impl_ && queryable(pattern.size()) && impl_->words[pattern.size()] &&
         impl_->words[pattern.size()]->index.any(pattern, kAnyLetter, firstKnown);
}

bool Dictionary::containsWord(std::string_view word) const {
  return impl_ && queryable(word.size()) && impl_->words[word.size()] &&
         impl_->words[word.size()]->index.exact(word);
}

std::size_t Dictionary::memoryUsage() const {
  std::size_t bytes = sizeof(Dictionary);
  if (!impl_) return bytes;
  bytes += sizeof(Impl);
  for (const auto& list : impl_->words)
    if (list) bytes += sizeof(LengthWords) + list->text.capacity() + list->index.memoryUsage();
  for (const auto& scores : impl_->scores) bytes += scores.capacity();
  return bytes;
}

}  // namespace gw
