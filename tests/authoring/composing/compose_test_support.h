#pragma once
// Helpers shared by the composing tests: temporary folders, small word lists, and a
// listener that records what the composer reports and can stop it at a chosen pump.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "authoring/composing/composer.h"
#include "authoring/composing/dictionary.h"
#include "authoring/composing/layout_text.h"
#include "common/file_io.h"

namespace gw::testing {

namespace fs = std::filesystem;

class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    // Memory-backed when there is one: the composer syncs every file it writes.
    fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    path_ = base /
            ("gw_compose_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline void writeText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

inline void writeWordFile(const fs::path& path, const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += w + "\r\n";
  writeText(path, text);
}

// Every word over `alphabet` of each length in `lengths`, each kept with the given chance
// (a fixed seed, so every run sees the same list).
inline std::vector<std::string> randomWords(const std::string& alphabet, std::vector<int> lengths, double keep,
                                            unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<double> coin(0, 1);
  std::vector<std::string> words;
  for (int len : lengths) {
    std::vector<std::string> all{""};
    for (int k = 0; k < len; ++k) {
      std::vector<std::string> next;
      for (const std::string& prefix : all)
        for (char ch : alphabet) next.push_back(prefix + ch);
      all.swap(next);
    }
    for (const std::string& w : all)
      if (coin(rng) < keep) words.push_back(w);
  }
  return words;
}

struct RecordedResult {
  std::string name;
  std::string bytes;
  int number = 0;
  bool operator==(const RecordedResult&) const = default;
};

inline void PrintTo(const RecordedResult& r, std::ostream* os) { *os << r.name << "#" << r.number; }

class RecordingListener : public ComposerListener {
 public:
  Composer* composer = nullptr;
  long pumps = 0;
  long stopAtPump = 0;     // stop at this pump (0: never)
  long stopEveryPump = 0;  // stop at every multiple of this (0: never)
  bool answerContinue = true;
  std::optional<std::vector<int>> wordOrder;
  std::vector<PumpPoint> points;
  bool keepPoints = false;
  std::vector<int> sounds;
  std::vector<std::string> messages;
  std::vector<RecordedResult> results;
  std::vector<Slot> orderShown;
  ComposerCounters lastCounters;
  std::vector<std::tuple<bool, bool, bool>> flagHistory;  // running, started, paused

  void pump(PumpPoint point) override {
    ++pumps;
    if (keepPoints) points.push_back(point);
    if (!composer) return;
    if ((stopAtPump && pumps == stopAtPump) || (stopEveryPump && pumps % stopEveryPump == 0)) composer->stop();
  }
  void countersChanged(const ComposerCounters& c) override { lastCounters = c; }
  void playSound(int n) override { sounds.push_back(n); }
  void resultWritten(const fs::path& file, int number) override {
    results.push_back({file.filename().string(), readWholeFile(file), number});
  }
  void showMessage(const std::string& text, MessageKind) override { messages.push_back(text); }
  std::optional<std::vector<int>> chooseWordOrder(int, int, const std::vector<Slot>& slots) override {
    orderShown = slots;
    return wordOrder;
  }
  bool confirmContinue() override { return answerContinue; }
  void stateChanged() override {
    if (composer) flagHistory.emplace_back(composer->running(), composer->searchStarted(), composer->paused());
  }
};

// A layout, its word file and a results folder in a temporary folder.
struct Workspace {
  TempDir dir;
  fs::path pattern;
  fs::path words;
  fs::path results;

  Workspace(const std::string& textLayout, const std::vector<std::string>& wordList,
            Language language = Language::English) {
    pattern = dir / "grid.C_WM";
    words = dir / "words.txt";
    results = dir / "Results";
    fs::create_directories(results);
    writeWordFile(words, wordList);
    writePatternFile(pattern, parseTextLayout(textLayout, language));
  }

  void setUp(Composer& c) const {
    c.setWordFile(words);
    c.setResultsFolder(results);
  }

  // An uninterrupted search from a freshly opened layout.
  std::vector<RecordedResult> composeAll(RecordingListener* used = nullptr) const {
    Dictionary dictionary;
    RecordingListener local;
    RecordingListener& l = used ? *used : local;
    Composer c(dictionary, l);
    l.composer = &c;
    setUp(c);
    c.openLayout(pattern);
    c.start();
    EXPECT_FALSE(c.paused());
    return l.results;
  }
};

// A composer with a recording listener, set up on a workspace; the layout is not opened yet.
struct Session {
  Dictionary dictionary;
  RecordingListener listener;
  Composer composer{dictionary, listener};
  explicit Session(const Workspace& ws) {
    listener.composer = &composer;
    ws.setUp(composer);
  }
};

// The board (row by row, one line per row) of every fill of the layout in which every slot
// holds a dictionary word: every letter of the word list's alphabet tried in every empty cell.
inline std::set<std::string> bruteForceFills(const Layout& layout, const std::vector<std::string>& words) {
  std::set<std::string> dict(words.begin(), words.end());
  std::set<char> letterSet;
  for (const std::string& w : words)
    for (char ch : w) letterSet.insert(ch);
  std::vector<char> letters(letterSet.begin(), letterSet.end());
  std::vector<int> open;
  for (int c = 0; c < layout.columns; ++c)
    for (int r = 0; r < layout.rows; ++r)
      if (layout.board.isEmpty(c, r)) open.push_back(ComposingBoard::index(c, r));
  std::vector<Slot> slots = deriveSlots(layout);
  std::set<std::string> fills;
  if (letters.empty()) return fills;
  std::vector<std::size_t> digit(open.size(), 0);
  Layout filled = layout;
  while (true) {
    for (std::size_t i = 0; i < open.size(); ++i) filled.board.at(open[i]) = {1, letters[digit[i]]};
    bool ok = true;
    for (const Slot& s : slots)
      if (!dict.count(wordOnBoard(filled.board, s))) {
        ok = false;
        break;
      }
    if (ok) fills.insert(resultCrossword(filled).board);
    std::size_t i = 0;
    while (i < digit.size() && ++digit[i] == letters.size()) digit[i++] = 0;
    if (i == digit.size()) break;
  }
  return fills;
}

// The board part of a result file's bytes (after magic, language, rows and columns).
inline std::string resultBoard(const std::string& bytes, const Layout& layout) {
  return bytes.substr(7, static_cast<std::size_t>(layout.rows) * layout.columns);
}

}  // namespace gw::testing
