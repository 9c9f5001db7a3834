#include "authoring/composing/dictionary/word_lists/word_list.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "authoring/composing/dictionary/word_lists/word_rules.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

WordList::WordList(Language language) : collation_(language) {}

WordList::Entry WordList::append(std::string_view key, std::string_view word) {
  Entry e{text_.size(), static_cast<std::uint32_t>(key.size()), static_cast<std::uint32_t>(word.size())};
  text_.append(key);
  text_.append(word);
  return e;
}

void WordList::sortAndKeep(std::vector<Entry> entries) {
  std::stable_sort(entries.begin(), entries.end(),
                   [this](const Entry& a, const Entry& b) { return keyOf(a) < keyOf(b); });
  entries_ = std::move(entries);
}

void WordList::load(const fs::path& wordFile) {
  std::error_code ec;
  auto status = fs::status(wordFile, ec);
  if (status.type() == fs::file_type::not_found) {
    text_.clear();
    entries_.clear();
    erasedBytes_ = 0;
    scores_ = {};
    return;
  }
  if (fs::is_directory(status)) throw FileError("Cannot read \"" + wordFile.string() + "\": it is a folder");
  std::string bytes = readWholeFile(wordFile);
  scores_ = WordScores::load(scoreFileFor(wordFile), language());
  text_.clear();
  erasedBytes_ = 0;
  text_.reserve(bytes.size() * 3);
  std::vector<Entry> loaded;
  loaded.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::size_t stop = (end > start && bytes[end - 1] == '\r') ? end - 1 : end;
    if (stop > start) {
      std::string_view word = std::string_view(bytes).substr(start, stop - start);
      loaded.push_back(append(collation_.sortKey(word), word));
    }
    start = end + 1;
  }
  text_.shrink_to_fit();
  sortAndKeep(std::move(loaded));
}

void WordList::assign(const std::vector<std::string>& words) {
  text_.clear();
  erasedBytes_ = 0;
  std::vector<Entry> loaded;
  loaded.reserve(words.size());
  for (const auto& w : words)
    if (!w.empty()) loaded.push_back(append(collation_.sortKey(w), w));
  sortAndKeep(std::move(loaded));
}

WordEntry WordList::entryFor(std::string_view word) const {
  return WordEntry{collation_.sortKey(word), std::string(word)};
}

std::vector<WordList::Entry>::const_iterator WordList::lowerBound(std::string_view key) const {
  return std::lower_bound(entries_.begin(), entries_.end(), key,
                          [this](const Entry& e, std::string_view k) { return keyOf(e) < k; });
}

WordList::Position WordList::locate(std::string_view word) const {
  std::string key = collation_.sortKey(word);
  auto it = lowerBound(key);
  return Position{static_cast<std::size_t>(it - entries_.begin()), it != entries_.end() && keyOf(*it) == key};
}

std::optional<std::size_t> WordList::find(std::string_view word) const {
  if (word.empty()) return std::nullopt;
  Position p = locate(word);
  if (!p.listed) return std::nullopt;
  return p.row;
}

std::optional<std::size_t> WordList::findLongestLeadingPart(std::string_view text) const {
  for (std::size_t n = text.size(); n > 0; --n)
    if (auto row = find(text.substr(0, n))) return row;
  return std::nullopt;
}

std::optional<std::size_t> WordList::insert(std::string_view word) {
  if (word.empty()) return std::nullopt;
  std::string key = collation_.sortKey(word);
  auto it = lowerBound(key);
  if (it != entries_.end() && keyOf(*it) == key) return std::nullopt;
  auto row = static_cast<std::size_t>(it - entries_.begin());
  Entry e = append(key, word);
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(row), e);
  return row;
}

void WordList::erase(std::size_t row) {
  if (row >= entries_.size()) throw std::out_of_range("No word at row " + std::to_string(row));
  erasedBytes_ += entries_[row].keyLength + entries_[row].wordLength;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
  compactIfWasteful();
}

void WordList::compactIfWasteful() {
  if (erasedBytes_ < 4096 || erasedBytes_ * 2 < text_.size()) return;
  std::string kept;
  kept.reserve(text_.size() - erasedBytes_);
  for (Entry& e : entries_) {
    std::size_t at = kept.size();
    kept.append(text_, e.offset, e.keyLength + e.wordLength);
    e.offset = at;
  }
  text_ = std::move(kept);
  erasedBytes_ = 0;
}

void WordList::prepareBatch(std::vector<WordEntry>& batch) {
  auto keyLess = [](const WordEntry& a, const WordEntry& b) { return a.key < b.key; };
  if (!std::is_sorted(batch.begin(), batch.end(), keyLess))
    std::stable_sort(batch.begin(), batch.end(), keyLess);
  // Of equal words the first is kept, with the last score any of them gave.
  std::size_t kept = 0;
  for (std::size_t i = 0; i < batch.size(); ++i) {
    if (kept > 0 && batch[kept - 1].key == batch[i].key) {
      if (batch[i].score) batch[kept - 1].score = batch[i].score;
      continue;
    }
    if (kept != i) batch[kept] = std::move(batch[i]);
    ++kept;
  }
  batch.resize(kept);
}

std::vector<std::size_t> WordList::merge(std::vector<WordEntry> batch) {
  std::vector<std::size_t> added;
  if (batch.empty()) return added;
  prepareBatch(batch);
  // Each new word's place is found by a galloping search from the place of the one before,
  // and the entries up to it are copied as a block: few comparisons however long the list.
  std::vector<Entry> merged;
  merged.reserve(entries_.size() + batch.size());
  auto old = entries_.cbegin();
  const auto end = entries_.cend();
  auto keyBefore = [this](const Entry& e, std::string_view k) { return keyOf(e) < k; };
  for (const WordEntry& entry : batch) {
    const std::string_view key(entry.key);
    auto low = old;
    std::ptrdiff_t step = 1;
    while (end - low > step && keyBefore(low[step], key)) {
      low += step;
      step *= 2;
    }
    auto at = std::lower_bound(low, low + std::min(step + 1, end - low), key, keyBefore);
    merged.insert(merged.end(), old, at);
    old = at;
    if (old != end && keyOf(*old) == entry.key) {  // an entry already
      if (entry.score) scores_.set(wordOf(*old), *entry.score);
      continue;
    }
    if (entry.score) scores_.set(entry.word, *entry.score);
    added.push_back(merged.size());
    merged.push_back(append(entry.key, entry.word));
  }
  merged.insert(merged.end(), old, end);
  entries_ = std::move(merged);
  return added;
}

std::size_t WordList::recheck() {
  std::size_t before = entries_.size();
  std::vector<Entry> kept;
  kept.reserve(entries_.size());
  for (const Entry& e : entries_) {
    if (e.wordLength > WordRules::kMaxWordLength) continue;
    // Equal keys are neighbours, the first one read comes first.
    if (!kept.empty() && keyOf(kept.back()) == keyOf(e)) continue;
    kept.push_back(e);
  }
  for (const Entry& e : entries_) erasedBytes_ += e.keyLength + e.wordLength;
  for (const Entry& e : kept) erasedBytes_ -= e.keyLength + e.wordLength;
  entries_ = std::move(kept);
  compactIfWasteful();
  return before - entries_.size();
}

std::string WordList::fileBytes() const {
  std::size_t total = 0;
  for (const auto& e : entries_) total += e.wordLength + 2;
  std::string out;
  out.reserve(total);
  for (const auto& e : entries_) {
    out += wordOf(e);
    out += "\r\n";
  }
  return out;
}

void WordList::save(const fs::path& wordFile) const {
  if (wordFile.has_parent_path()) {
    std::error_code ec;
    fs::create_directories(wordFile.parent_path(), ec);
    if (ec)
      throw FileError("Cannot create the folder \"" + wordFile.parent_path().string() +
                      "\": " + ec.message());
  }
  writeFileAtomically(wordFile, fileBytes());
  const fs::path scoreFile = scoreFileFor(wordFile);
  std::error_code ec;
  if (!scores_.empty() || fs::exists(scoreFile, ec)) writeFileAtomically(scoreFile, scoreFileBytes());
}

std::string WordList::scoreFileBytes() const {
  return scores_.fileBytes(language(), [this](std::string_view w) {
    auto row = find(w);
    return row && word(*row) == w;
  });
}

std::size_t WordList::memoryUsage() const { return text_.capacity() + entries_.capacity() * sizeof(Entry); }

}  // namespace gw
