#include "authoring/composing/dictionary/score_table.h"

#include <algorithm>
#include <limits>
#include <system_error>

namespace gw {
namespace {

// Byte order of two words. Words are short, so an inline loop beats a call to memcmp; loading
// a scored list compares about three times a word.
int compareBytes(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}
bool lessBytes(std::string_view a, std::string_view b) { return compareBytes(a, b) < 0; }
bool sameBytes(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compareBytes(a, b) == 0;
}

}  // namespace

void ScoreTable::add(std::string_view word, int score) {
  // Longer words are in no dictionary.
  if (word.size() > std::numeric_limits<std::uint8_t>::max()) return;
  const auto length = static_cast<std::uint8_t>(word.size());
  const auto value = static_cast<std::uint8_t>(score);
  // Score files are written sorted: one comparison per line, while it is at hand, shows it.
  sorted_ = sorted_ && (entries_.empty() || lessBytes(this->word(entries_.back()), word));
  scored_ = scored_ || score != kDefaultWordScore;
  if (!bytes_.empty() && word.data() >= bytes_.data() && word.data() < bytes_.data() + bytes_.size()) {
    entries_.push_back({static_cast<std::uint32_t>(word.data() - bytes_.data()), length, value, false});
  } else {
    entries_.push_back({static_cast<std::uint32_t>(converted_.size()), length, value, true});
    converted_ += word;
  }
}

ScoreTable ScoreTable::load(const std::filesystem::path& scoreFile, Language language) {
  ScoreTable table;
  std::error_code ec;
  if (const std::uintmax_t size = std::filesystem::file_size(scoreFile, ec); !ec && size < (1u << 30))
    table.entries_.reserve(static_cast<std::size_t>(size / 8));
  readScoreFile(scoreFile, language, table.bytes_,
                [&](std::string_view word, int score) { table.add(word, score); });
  table.sortAndMerge();
  return table;
}

ScoreTable ScoreTable::from(const WordScores& scores) {
  ScoreTable table;
  for (const auto& [word, score] : scores.entries()) table.add(word, score);
  table.sortAndMerge();
  return table;
}

void ScoreTable::sortAndMerge() {
  if (sorted_) return;
  const auto before = [this](const Entry& a, const Entry& b) { return word(a) < word(b); };
  std::stable_sort(entries_.begin(), entries_.end(), before);
  // Of equal words the last line counts, as when each line sets its word's score.
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  for (const Entry& e : entries_) {
    if (!kept.empty() && word(kept.back()) == word(e))
      kept.back() = e;
    else
      kept.push_back(e);
  }
  entries_ = std::move(kept);
  sorted_ = true;
  scored_ = std::any_of(entries_.begin(), entries_.end(),
                        [](const Entry& e) { return e.score != kDefaultWordScore; });
}

int ScoreTable::score(std::string_view w) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), w,
                                   [this](const Entry& e, std::string_view x) { return word(e) < x; });
  return it != entries_.end() && word(*it) == w ? it->score : kDefaultWordScore;
}

int ScoreTable::Cursor::score(std::string_view w) {
  const std::vector<Entry>& entries = table_.entries_;
  const std::size_t n = entries.size();
  const auto wordAt = [&](std::size_t i) { return table_.word(entries[i]); };
  const auto less = [&](const Entry& e, std::string_view x) { return lessBytes(table_.word(e), x); };
  const auto from = [&](std::size_t i) { return entries.begin() + static_cast<std::ptrdiff_t>(i); };
  std::size_t at = next_;
  // Mostly the next entry is the word itself: words are unique, so no order need be checked.
  if (at < n && sameBytes(wordAt(at), w)) {
    next_ = at + 1;
    return entries[at].score;
  }
  // Else mostly a word without a score: the next entry comes after it, the one before before it.
  const int next = at < n ? compareBytes(wordAt(at), w) : 1;
  const bool afterLast = at == 0 || lessBytes(wordAt(at - 1), w);
  if (next > 0 && afterLast) return kDefaultWordScore;
  if (!afterLast) {
    // The word comes before the last one: search the entries passed.
    at = static_cast<std::size_t>(std::lower_bound(from(0), from(at), w, less) - entries.begin());
  } else {
    // Every entry before `at` sorts before the word: gallop on, steps doubling, then search
    // the last step.
    std::size_t step = 1;
    for (bool before = true; before; before = at < n && lessBytes(wordAt(at), w)) {
      const std::size_t probe = at + step;
      step *= 2;
      if (probe >= n || !lessBytes(wordAt(probe), w)) {
        at = static_cast<std::size_t>(std::lower_bound(from(at + 1), from(std::min(probe, n)), w, less) -
                                      entries.begin());
        break;
      }
      at = probe + 1;
    }
  }
  if (at < n && sameBytes(wordAt(at), w)) {
    next_ = at + 1;
    return entries[at].score;
  }
  next_ = at;
  return kDefaultWordScore;
}

}  // namespace gw
