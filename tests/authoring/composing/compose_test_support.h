#pragma once
// Helpers shared by the composing tests: temporary folders, small word lists, and a
// listener that records what the session and the composer report.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "authoring/composing/dictionary/dictionary.h"
#include "authoring/composing/layout/layout_text.h"
#include "authoring/composing/search/composer.h"
#include "authoring/composing/search/layout_session.h"
#include "common/file_io.h"
#include "tests/support/random_words.h"
#include "tests/support/temp_folder.h"

namespace gw::testing {

namespace fs = std::filesystem;

// Memory-backed where the machine has /dev/shm: the composer syncs every file it writes.
using TempDir = test::TempFolder;

inline void writeText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

inline void writeWordFile(const fs::path& path, const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) text += w + "\r\n";
  writeText(path, text);
}

using test::randomWords;

// A small layout (text form) with its word list, named for the test that runs it.
struct ComposeProblem {
  std::string name;
  std::string layout;
  std::vector<std::string> words;
};

inline std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Small layouts with word lists that make the search back up often.
inline std::vector<ComposeProblem> backtrackingProblems() {
  return {
      {"open3x3", "...\n...\n...\n", randomWords("ABC", {3}, 0.45, 1)},
      {"fourByFour", "#...\n....\n....\n...#\n", randomWords("AB", {3, 4}, 0.6, 2)},
      {"fixedLetters", "A..#\n...B\n#...\n", randomWords("ABC", {2, 3, 4}, 0.5, 3)},
      {"oneCellSlots", "#.#\n...\n#.#\n",
       std::vector<std::string>{"A", "C"} + randomWords("ABC", {3}, 0.5, 4)},
      {"fourByFive", "....\n.#..\n....\n..#.\n....\n", randomWords("AB", {1, 2, 3, 4, 5}, 0.7, 5)},
  };
}

struct RecordedResult {
  std::string name;
  std::string bytes;
  int number = 0;
  bool operator==(const RecordedResult&) const = default;
};

inline void PrintTo(const RecordedResult& r, std::ostream* os) { *os << r.name << "#" << r.number; }

// Records everything the session and the composer report.
class RecordingListener : public LayoutListener, public ComposerListener {
 public:
  std::vector<ComposerSound> sounds;
  std::vector<std::string> messages;
  std::vector<ComposeOutcome> outcomes;
  std::vector<RecordedResult> results;
  std::vector<ComposingState> states;
  std::vector<Language> loading, loaded;
  ComposerCounters lastCounters;
  int bestFillChanges = 0;
  std::function<void()> onResult;  // e.g. stop the composer from inside the search

  void stateChanged(ComposingState state) override { states.push_back(state); }
  void dictionaryLoading(Language l) override { loading.push_back(l); }
  void dictionaryLoaded(Language l) override { loaded.push_back(l); }
  void countersChanged(const ComposerCounters& c) override { lastCounters = c; }
  void soundWanted(ComposerSound s) override { sounds.push_back(s); }
  void bestFillChanged() override { ++bestFillChanges; }
  void resultWritten(const fs::path& file, int number) override {
    results.push_back({file.filename().string(), readWholeFile(file), number});
    if (onResult) onResult();
  }
  void finished(ComposeOutcome outcome, const std::string& message) override {
    outcomes.push_back(outcome);
    if (!message.empty()) messages.push_back(message);
  }
};

// Runs a started search until it is no longer Running.
inline void runToEnd(Composer& composer, RunBudget budget = RunBudget::unlimited()) {
  while (composer.run(budget) == ComposingState::Running) {
  }
}

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

  ComposingFiles files() const {
    ComposingFiles f;
    f.wordFile = [w = words](Language) { return w; };
    f.resultsFolder = results;
    return f;
  }

  // An uninterrupted search from a freshly opened layout, into an emptied results folder
  // (a search numbers after the results it finds there).
  std::vector<RecordedResult> composeAll(RecordingListener* used = nullptr) const;
  void clearResults() const {
    fs::remove_all(results);
    fs::create_directories(results);
  }
  // composeAll's results, the results folder then emptied again for the search under test.
  std::vector<RecordedResult> baseline() const {
    std::vector<RecordedResult> results = composeAll();
    clearResults();
    return results;
  }
};

// A session and composer with a recording listener on a workspace; the layout is not opened yet.
struct Session {
  Dictionary dictionary;
  RecordingListener listener;
  LayoutSession session;
  Composer composer{session, listener};
  explicit Session(const Workspace& ws) : session(dictionary, ws.files(), &listener) {}
  ComposingState state() const { return session.state(); }
  // Opens the workspace's layout and starts a search of it.
  void openAndStart(const Workspace& ws) {
    session.open(ws.pattern);
    composer.start();
  }
};

inline std::vector<RecordedResult> Workspace::composeAll(RecordingListener* used) const {
  clearResults();
  Session s(*this);
  s.openAndStart(*this);
  runToEnd(s.composer);
  EXPECT_EQ(s.state(), ComposingState::Editable);
  if (used) *used = s.listener;
  return s.listener.results;
}

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
      if (layout.board.isEmpty(r, c)) open.push_back(ComposingBoard::index(r, c));
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
