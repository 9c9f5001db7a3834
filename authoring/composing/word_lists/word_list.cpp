#include "authoring/composing/word_lists/word_list.h"

#include <algorithm>
#include <stdexcept>
#include <system_error>

#include "authoring/composing/word_lists/word_rules.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace gw {
namespace fs = std::filesystem;

namespace {

bool keyLess(const WordEntry& a, const WordEntry& b) { return a.key < b.key; }

// Keeps the first of every run of equal keys; `entries` must be sorted (stably) by key.
void dropRepeats(std::vector<WordEntry>& entries) {
  auto last = std::unique(entries.begin(), entries.end(),
                          [](const WordEntry& a, const WordEntry& b) { return a.key == b.key; });
  entries.erase(last, entries.end());
}

}  // namespace

WordList::WordList(Language language) : collation_(language) {}

void WordList::load(const fs::path& wordFile) {
  std::error_code ec;
  auto status = fs::status(wordFile, ec);
  if (status.type() == fs::file_type::not_found) {
    entries_.clear();
    return;
  }
  if (fs::is_directory(status)) throw FileError("Cannot read \"" + wordFile.string() + "\": it is a folder");
  std::string bytes = readWholeFile(wordFile);
  std::vector<WordEntry> loaded;
  loaded.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::size_t stop = (end > start && bytes[end - 1] == '\r') ? end - 1 : end;
    if (stop > start) loaded.push_back(entryFor(std::string_view(bytes).substr(start, stop - start)));
    start = end + 1;
  }
  std::stable_sort(loaded.begin(), loaded.end(), keyLess);
  entries_ = std::move(loaded);
}

void WordList::assign(const std::vector<std::string>& words) {
  std::vector<WordEntry> loaded;
  loaded.reserve(words.size());
  for (const auto& w : words)
    if (!w.empty()) loaded.push_back(entryFor(w));
  std::stable_sort(loaded.begin(), loaded.end(), keyLess);
  entries_ = std::move(loaded);
}

WordEntry WordList::entryFor(std::string_view word) const {
  return WordEntry{collation_.sortKey(word), std::string(word)};
}

std::vector<WordEntry>::const_iterator WordList::lowerBound(const std::string& key) const {
  return std::lower_bound(entries_.begin(), entries_.end(), key,
                          [](const WordEntry& e, const std::string& k) { return e.key < k; });
}

WordList::Position WordList::locate(std::string_view word) const {
  std::string key = collation_.sortKey(word);
  auto it = lowerBound(key);
  return Position{static_cast<std::size_t>(it - entries_.begin()), it != entries_.end() && it->key == key};
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
  WordEntry entry = entryFor(word);
  auto it = lowerBound(entry.key);
  if (it != entries_.end() && it->key == entry.key) return std::nullopt;
  auto row = static_cast<std::size_t>(it - entries_.begin());
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(row), std::move(entry));
  return row;
}

void WordList::erase(std::size_t row) {
  if (row >= entries_.size()) throw std::out_of_range("No word at row " + std::to_string(row));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(row));
}

std::vector<std::size_t> WordList::merge(std::vector<WordEntry> batch) {
  std::vector<std::size_t> added;
  if (batch.empty()) return added;
  std::stable_sort(batch.begin(), batch.end(), keyLess);
  dropRepeats(batch);

  std::vector<WordEntry> merged;
  merged.reserve(entries_.size() + batch.size());
  auto old = entries_.begin();
  for (auto& entry : batch) {
    while (old != entries_.end() && old->key < entry.key) merged.push_back(std::move(*old++));
    if (old != entries_.end() && old->key == entry.key) continue;  // an entry already
    added.push_back(merged.size());
    merged.push_back(std::move(entry));
  }
  while (old != entries_.end()) merged.push_back(std::move(*old++));
  entries_ = std::move(merged);
  return added;
}

std::size_t WordList::recheck() {
  std::size_t before = entries_.size();
  std::erase_if(entries_, [](const WordEntry& e) { return e.word.size() > WordRules::kMaxWordLength; });
  dropRepeats(entries_);  // equal keys are neighbours, the first one read comes first
  return before - entries_.size();
}

std::string WordList::fileBytes() const {
  std::size_t total = 0;
  for (const auto& e : entries_) total += e.word.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& e : entries_) {
    out += e.word;
    out += "\r\n";
  }
  return out;
}

void WordList::save(const fs::path& wordFile) const {
  if (wordFile.has_parent_path()) {
    std::error_code ec;
    fs::create_directories(wordFile.parent_path(), ec);
    if (ec)
      throw FileError("Cannot create the folder \"" + wordFile.parent_path().string() + "\": " + ec.message());
  }
  writeFileAtomically(wordFile, fileBytes());
}

std::size_t WordList::memoryUsage() const {
  std::size_t bytes = entries_.capacity() * sizeof(WordEntry);
  constexpr std::size_t kInline = 15;  // libstdc++ keeps strings this short inside the object
  for (const auto& e : entries_) {
    if (e.key.capacity() > kInline) bytes += e.key.capacity() + 1;
    if (e.word.capacity() > kInline) bytes += e.word.capacity() + 1;
  }
  return bytes;
}

}  // namespace gw
